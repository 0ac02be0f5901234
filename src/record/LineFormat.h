#pragma once
// The line end of the line format and the two output variants of a record's text.
#include <string>
#include <string_view>

namespace kelvo {

// The line end of the format, also what parsing turns into a blank.
inline constexpr std::string_view LineEnd = "\r\n";
// Separates the records of a line-format input.
inline constexpr char LineRecordTerminator = '^';

// True when some line of a record text begins with the field mark "*"
// (after blanks): what tells a line-format record from other text.
bool HasFieldLine(std::string_view text);

// "Dubblettrader i resultat raderas": every line once (case-insensitive),
// each followed by CR LF; trailing empty lines dropped.
std::string RemoveDuplicateLinesText(std::string_view text);
// Every subfield after the first of a line on a line of its own; lines joined
// with CR LF only between two non-blank lines, none after the last.
std::string SubfieldLinesText(std::string_view text, char delimiter = '$');

// The same two variants appended to out (the writer's reused buffer); text
// must not be a view into out.
void AppendWithoutDuplicateLines(std::string& out, std::string_view text);
void AppendSubfieldLines(std::string& out, std::string_view text, char delimiter = '$');

} // namespace kelvo
