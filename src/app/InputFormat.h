#pragma once
// Telling ISO 2709 input from line-format input by its first chunk.
#include <cstddef>
#include <string>
#include <string_view>

namespace kelvo {

class TKonvSimple;

// How much of the start of an input decides its format: the reader's first chunk.
inline constexpr std::size_t FormatWindow = 131072;

// A majority over the record texts in head (the start of an input): those cut
// at the ISO 2709 record terminator that read as ISO 2709 records against
// those cut at "^" that hold a field line. ISO 2709 only when it wins, so one
// damaged record cannot decide, and an input with neither is line format.
bool LooksLikeIso2709Text(std::string_view head);
// The same on the first FormatWindow bytes of a file (read on its own, so
// for files only, not for streams). A file that cannot be read: false.
bool LooksLikeIso2709(const std::string& fileName);
// For an input that can be read only once: decides from the start that the
// converter's reader has buffered, and sets the converter's format and
// record terminator, before the first record is read.
void DetectSourceFormat(TKonvSimple& konv);

} // namespace kelvo
