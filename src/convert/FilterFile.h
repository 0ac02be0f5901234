#pragma once
// The exclude filter's file: entries separated by spaces or line ends, any
// number on a line. The converters join the lines and hand the text to their
// output record's SetFilter, which cuts it at spaces.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

inline constexpr std::size_t MaxFilterFileSize = 64 * 1024 * 1024;

// Reads a file of lines (the filter file, and the vendor profile's media
// codes) once, into its lines. A missing file gives no lines; one that exists
// but cannot be read, or holds more than MaxFilterFileSize bytes, raises
// MarcError naming it as what ("Kan inte l\xe4sa filterfilen ...").
std::vector<std::string> LoadFilterLines(const std::string& fileName, std::string_view what = "filterfilen");
// The lines of a text: CR LF, LF and CR each end a line, no line end is kept,
// and a final line end adds no empty line.
std::vector<std::string> SplitFilterLines(std::string_view text);
// Joins filter-file lines into one text, one space between two non-blank
// lines; a line end left inside a line becomes a space as well.
std::string JoinFilterLines(const std::vector<std::string>& lines);

} // namespace kelvo
