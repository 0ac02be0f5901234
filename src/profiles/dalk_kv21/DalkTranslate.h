#pragma once
// Character translation of the vendor's records: the 7-bit national
// characters and the "$" sequences for other accented letters become single
// code page 1252 characters. Before the field rules run, every "$" inside a
// value is replaced by DalkMarker, so that on output a marker can only stand
// for the vendor's "$" and a "$" only for a subfield delimiter.
#include <string>

namespace kelvo::dalk_kv21 {

inline constexpr char DalkMarker = '\x01';

// Both steps on a whole record text (field marks, delimiters and line breaks
// included); returns the translated text.
std::string TranslateText(std::string text);

// Step 1: "]" "[" "\" "}" "{" "|" become the Swedish letters, "<" ">" brackets.
void TranslateNationalChars(std::string& text);

// Step 2: every DalkMarker followed by one of the listed sequences is replaced,
// row after row, each row over the whole text left to right without overlap.
// A marker followed by nothing listed stays.
void ReplaceMarkedSequences(std::string& text);

} // namespace kelvo::dalk_kv21
