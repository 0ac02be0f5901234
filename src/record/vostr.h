#pragma once
// Small string functions used everywhere. Text is 8-bit code page 1252;
// positions are 1-based and 0 means "not found". "Blank" means empty or made
// only of space, tab, LF and CR.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// A set of byte values, usable in constexpr rule tables.
class CharSet {
public:
  constexpr CharSet() = default;
  constexpr CharSet(std::string_view chars) { // NOLINT: implicit on purpose ("abc" as a set)
    for (char c : chars)
      Add(c);
  }
  constexpr CharSet& Add(char c) {
    const auto u = static_cast<unsigned char>(c);
    bits_[u >> 6] |= std::uint64_t{1} << (u & 63);
    return *this;
  }
  constexpr CharSet& AddRange(unsigned char lo, unsigned char hi) {
    for (unsigned v = lo; v <= hi; ++v)
      Add(static_cast<char>(v));
    return *this;
  }
  constexpr bool Has(char c) const {
    const auto u = static_cast<unsigned char>(c);
    return (bits_[u >> 6] >> (u & 63)) & 1U;
  }

private:
  std::array<std::uint64_t, 4> bits_{};
};

// Tests and searches
// Nothing but spaces, tabs and line breaks (or nothing at all). Inline: the
// parsers and rules ask it of every value, and most answer at the first character.
inline bool IsBlank(std::string_view s) {
  for (char c : s)
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return false;
  return true;
}
int CharPos(std::string_view s, char c);
int CharPosFrom(std::string_view s, char c, int start);
int NthCharPos(std::string_view s, char c, int n);
int CharCount(std::string_view s, char c);
bool HasChar(std::string_view s, char c);
bool HasAnyChar(std::string_view s, std::string_view chars);
bool HasCharInSet(std::string_view s, const CharSet& set);
bool StartsWith(std::string_view s, std::string_view prefix, bool ignoreCase = false);
bool EndsWith(std::string_view s, std::string_view suffix);
bool IsEnclosed(std::string_view s, char open, char close);
bool IsLetter(char c);
bool IsAllLetters(std::string_view s);
char CharAt(std::string_view s, int i, char def);
// mode 0: entry begins with s; 1: entry contains s; 2: EndsWith(entry, s).
int FindInList(const std::vector<std::string>& list, std::string_view s, int mode);

// Extraction and tokens
std::string CopyFrom(std::string_view s, int start);
std::string CopyDef(std::string_view s, int start, int count);
std::string RightStr(std::string_view s, int n);
std::string NextToken(std::string& s, char c);
std::string NextTokenStr(std::string& s, std::string_view separator);
std::string LastToken(std::string& s, char c);

// Changes
void DeleteChars(std::string& s, char c);
void ReplaceChars(std::string& s, char from, char to);
void ReplaceCharList(std::string& s, std::string_view from, std::string_view to);
void DeleteFrom(std::string& s, int position);
void DeleteLast(std::string& s, int n);
std::string StripEnds(std::string_view s, int n);
std::string TrimLeftChar(std::string_view s, char c);
std::string TrimRightChar(std::string_view s, char c);
std::string TrimChar(std::string_view s, char c);
std::string PadLeft(std::string_view s, int length, char c);
std::string PadRight(std::string_view s, int length, char c);
void OverlayAt(std::string_view text, std::string& s, int position, char pad);
std::string RepeatChar(char c, int n);
std::string SortChars(std::string_view s);
void AppendWithSep(std::string& s, std::string_view text, std::string_view separator);
std::string PrefixIfNotBlank(std::string_view s, std::string_view prefix);
std::string SuffixIfNotBlank(std::string_view s, std::string_view suffix);
std::string WrapIfNotBlank(std::string_view s, std::string_view prefix, std::string_view suffix);

// Trimming of everything up to and including the space (all control
// characters and blanks), as the record model and the writers use it.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string_view TrimView(std::string_view s);
// Trimming of blanks only (spaces, tabs and line breaks, as IsBlank counts
// them): other control characters, such as the vendor's "$" marker, stay.
std::string TrimBlanks(std::string_view s);

// Code page 1252 case mapping by the Windows ANSI rules.
char UpperChar(char c);
char LowerChar(char c);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Case-insensitive equality and order (both sides upper-cased, then byte order).
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);

// Integer reading: the whole string must be a decimal number (an optional
// sign, no blanks); otherwise def.
int StrToIntDef(std::string_view s, int def);

// Code page 1252 <-> UTF-8, for the edges only (terminal, window toolkit).
// Bytes without a UTF-8 counterpart map to U+FFFD; characters outside code
// page 1252 become "?".
std::string Cp1252ToUtf8(std::string_view s);
std::string Utf8ToCp1252(std::string_view s);
bool IsValidUtf8(std::string_view s);
// A message for the terminal or the window: code page 1252 text that may
// hold file names, which are the system's bytes (UTF-8). A well-formed UTF-8
// sequence of two or more bytes is taken as it is (the program's own texts
// never hold one: it would be a capital letter with an accent followed by a
// symbol); every other byte is converted from code page 1252.
std::string MessageToUtf8(std::string_view s);

} // namespace kelvo
