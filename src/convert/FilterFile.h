#pragma once
// The exclude filter's file: entries separated by spaces or line ends, any
// number on a line. The converters join the lines and hand the text to their
// output record's SetFilter, which cuts it at spaces.
#include <string>
#include <vector>

namespace kelvo {

// Reads a filter file into its lines (CR LF, LF or CR end a line; no line
// end is kept). A missing file gives no lines; a file that exists but cannot
// be read raises MarcError naming it.
std::vector<std::string> LoadFilterLines(const std::string &fileName);
// Joins filter-file lines into one text, one space between two non-blank
// lines; a line end left inside a line becomes a space as well.
std::string JoinFilterLines(const std::vector<std::string> &lines);

} // namespace kelvo
