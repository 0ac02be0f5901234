#pragma once
// The two output variants of a record's line-format text.
#include <string>
#include <string_view>

namespace kelvo {

// "Dubblettrader i resultat raderas": every line once (case-insensitive),
// each followed by CR LF; trailing empty lines dropped.
std::string RemoveDuplicateLinesText(std::string_view text);
// Every subfield after the first of a line on a line of its own; lines joined
// with CR LF only between two non-blank lines, none after the last.
std::string SubfieldLinesText(std::string_view text, char delimiter = '$');

} // namespace kelvo
