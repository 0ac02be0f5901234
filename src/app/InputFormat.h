#pragma once
// Telling ISO 2709 input from line-format input by its first bytes.
#include <string>

namespace kelvo {

// True when the file begins with five ASCII digits (the record length) and
// holds a field terminator (0x1E) before its first record terminator (0x1D).
// Reads only as far as it needs to decide. A file that cannot be read: false.
bool LooksLikeIso2709(const std::string& fileName);

} // namespace kelvo
