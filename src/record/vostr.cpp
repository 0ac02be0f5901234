// Small string functions over code page 1252 text with 1-based positions.
// Every function accepts any position or count: positions before the start
// count as the first character, positions past the end find nothing.
#include "record/vostr.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

namespace kelvo {

namespace {

// The 0-based index of a 1-based position, or npos when it lies past the end.
std::size_t IndexOf(std::string_view s, int position) {
  const std::size_t index = position < 1 ? 0 : static_cast<std::size_t>(position) - 1;
  return index < s.size() ? index : std::string_view::npos;
}

int PosOf(std::size_t index) { return index == std::string_view::npos ? 0 : static_cast<int>(index) + 1; }

bool IsBlankChar(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Trim and friends remove every character up to and including the space.
bool IsTrimChar(char c) { return static_cast<unsigned char>(c) <= ' '; }

constexpr CharSet kLetters = CharSet("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")
                                 .Add('\x8a')
                                 .Add('\x8c')
                                 .Add('\x9a')
                                 .Add('\x9c')
                                 .Add('\x9f')
                                 .Add('\xa2')
                                 .Add('\xa5')
                                 .AddRange(192, 214)
                                 .AddRange(216, 246)
                                 .AddRange(248, 255);

} // namespace

// Tests and searches

int CharPos(std::string_view s, char c) { return PosOf(s.find(c)); }

int CharPosFrom(std::string_view s, char c, int start) {
  const std::size_t from = IndexOf(s, start);
  return from == std::string_view::npos ? 0 : PosOf(s.find(c, from));
}

int NthCharPos(std::string_view s, char c, int n) {
  if (n < 1) return 0;
  std::size_t index = std::string_view::npos;
  for (std::size_t from = 0; n > 0; --n, from = index + 1) {
    index = s.find(c, from);
    if (index == std::string_view::npos) return 0;
  }
  return PosOf(index);
}

int CharCount(std::string_view s, char c) { return static_cast<int>(std::count(s.begin(), s.end(), c)); }

bool HasChar(std::string_view s, char c) { return s.find(c) != std::string_view::npos; }

bool HasAnyChar(std::string_view s, std::string_view chars) {
  return s.find_first_of(chars) != std::string_view::npos;
}

bool HasCharInSet(std::string_view s, const CharSet& set) {
  return std::any_of(s.begin(), s.end(), [&set](char c) { return set.Has(c); });
}

bool StartsWith(std::string_view s, std::string_view prefix, bool ignoreCase) {
  if (prefix.empty() || prefix.size() > s.size()) return false;
  return ignoreCase ? SameText(s.substr(0, prefix.size()), prefix) : s.starts_with(prefix);
}

bool EndsWith(std::string_view s, std::string_view suffix) {
  return suffix.size() < s.size() && s.ends_with(suffix);
}

bool IsEnclosed(std::string_view s, char open, char close) {
  return StartsWith(s, std::string_view(&open, 1)) && EndsWith(s, std::string_view(&close, 1));
}

bool IsLetter(char c) { return kLetters.Has(c); }

bool IsAllLetters(std::string_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), IsLetter); }

char CharAt(std::string_view s, int i, char def) {
  return i >= 1 && static_cast<std::size_t>(i) <= s.size() ? s[static_cast<std::size_t>(i) - 1] : def;
}

int FindInList(const std::vector<std::string>& list, std::string_view s, int mode) {
  const auto matches = [s, mode](std::string_view entry) {
    switch (mode) {
    case 0:
      return !s.empty() && entry.starts_with(s);
    case 1:
      return !s.empty() && entry.find(s) != std::string_view::npos;
    case 2:
      return EndsWith(entry, s);
    default:
      return false;
    }
  };
  const auto it = std::find_if(list.begin(), list.end(), matches);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// Extraction and tokens

std::string CopyFrom(std::string_view s, int start) {
  const std::size_t from = IndexOf(s, start);
  return from == std::string_view::npos ? std::string() : std::string(s.substr(from));
}

std::string CopyDef(std::string_view s, int start, int count) {
  const std::size_t from = IndexOf(s, start);
  if (from == std::string_view::npos || count < 0) return {};
  return std::string(s.substr(from, count == 0 ? std::string_view::npos : static_cast<std::size_t>(count)));
}

std::string RightStr(std::string_view s, int n) {
  if (n <= 0) return {};
  const auto count = std::min(s.size(), static_cast<std::size_t>(n));
  return std::string(s.substr(s.size() - count));
}

std::string NextTokenStr(std::string& s, std::string_view separator) {
  const std::size_t at = separator.empty() ? std::string::npos : s.find(separator);
  std::string token;
  if (at == std::string::npos) {
    token.swap(s);
  } else {
    token.assign(s, 0, at);
    s.erase(0, at + separator.size());
  }
  return token;
}

std::string NextToken(std::string& s, char c) { return NextTokenStr(s, std::string_view(&c, 1)); }

std::string LastToken(std::string& s, char c) {
  const std::size_t at = s.rfind(c);
  std::string token;
  if (at == std::string::npos) {
    token.swap(s);
  } else {
    token.assign(s, at + 1);
    s.erase(at);
  }
  return token;
}

// Changes

void DeleteChars(std::string& s, char c) { std::erase(s, c); }

void ReplaceChars(std::string& s, char from, char to) {
  // Found with memchr: the character is usually absent, and the search is
  // far quicker than testing each byte.
  char* const end = s.data() + s.size();
  for (char* p = s.data(); (p = static_cast<char*>(std::memchr(p, from, static_cast<std::size_t>(end - p))));)
    *p++ = to;
}

void ReplaceCharList(std::string& s, std::string_view from, std::string_view to) {
  const std::size_t pairs = std::min(from.size(), to.size());
  for (std::size_t i = 0; i < pairs; ++i)
    ReplaceChars(s, from[i], to[i]);
}

// A position of 0 (a search that found nothing) leaves the text as it is.
void DeleteFrom(std::string& s, int position) {
  if (position >= 1 && static_cast<std::size_t>(position) <= s.size())
    s.erase(static_cast<std::size_t>(position) - 1);
}

void DeleteLast(std::string& s, int n) {
  if (n <= 0) return;
  s.erase(s.size() - std::min(s.size(), static_cast<std::size_t>(n)));
}

std::string StripEnds(std::string_view s, int n) {
  if (n <= 0) return std::string(s);
  const auto cut = static_cast<std::size_t>(n);
  return cut * 2 >= s.size() ? std::string() : std::string(s.substr(cut, s.size() - cut * 2));
}

std::string TrimLeftChar(std::string_view s, char c) {
  const std::size_t first = s.find_first_not_of(c);
  return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string TrimRightChar(std::string_view s, char c) {
  const std::size_t last = s.find_last_not_of(c);
  return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string TrimChar(std::string_view s, char c) { return TrimLeftChar(TrimRightChar(s, c), c); }

std::string PadLeft(std::string_view s, int length, char c) {
  std::string result;
  if (length > 0 && static_cast<std::size_t>(length) > s.size())
    result.assign(static_cast<std::size_t>(length) - s.size(), c);
  result += s;
  return result;
}

std::string PadRight(std::string_view s, int length, char c) {
  std::string result(s);
  if (length > 0 && static_cast<std::size_t>(length) > s.size())
    result.resize(static_cast<std::size_t>(length), c);
  return result;
}

void OverlayAt(std::string_view text, std::string& s, int position, char pad) {
  const std::size_t at = position < 1 ? 0 : static_cast<std::size_t>(position) - 1;
  if (s.size() <= at) s.resize(at + 1, pad);
  s.replace(at, text.size(), text); // grows s when text runs past its end
}

std::string RepeatChar(char c, int n) {
  return n < 1 ? std::string() : std::string(static_cast<std::size_t>(n), c);
}

std::string SortChars(std::string_view s) {
  std::string result(s);
  std::sort(result.begin(), result.end(),
            [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
  return result;
}

void AppendWithSep(std::string& s, std::string_view text, std::string_view separator) {
  if (!IsBlank(s) && !IsBlank(text)) s += separator;
  s += text;
}

std::string PrefixIfNotBlank(std::string_view s, std::string_view prefix) {
  return WrapIfNotBlank(s, prefix, {});
}

std::string SuffixIfNotBlank(std::string_view s, std::string_view suffix) {
  return WrapIfNotBlank(s, {}, suffix);
}

std::string WrapIfNotBlank(std::string_view s, std::string_view prefix, std::string_view suffix) {
  if (IsBlank(s)) return {};
  std::string result;
  result.reserve(prefix.size() + s.size() + suffix.size());
  result.append(prefix).append(s).append(suffix);
  return result;
}

// Trimming

std::string_view TrimView(std::string_view s) {
  const auto first = std::find_if_not(s.begin(), s.end(), IsTrimChar);
  const auto last = std::find_if_not(s.rbegin(), std::make_reverse_iterator(first), IsTrimChar).base();
  return std::string_view(first, last);
}

std::string Trim(std::string_view s) { return std::string(TrimView(s)); }

std::string TrimBlanks(std::string_view s) {
  const auto first = std::find_if_not(s.begin(), s.end(), IsBlankChar);
  const auto last = std::find_if_not(s.rbegin(), std::make_reverse_iterator(first), IsBlankChar).base();
  return std::string(first, last);
}

std::string TrimLeft(std::string_view s) {
  return std::string(std::find_if_not(s.begin(), s.end(), IsTrimChar), s.end());
}

std::string TrimRight(std::string_view s) {
  return std::string(s.begin(), std::find_if_not(s.rbegin(), s.rend(), IsTrimChar).base());
}

// Numbers

int StrToIntDef(std::string_view s, int def) {
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    if (s.empty() || s.front() == '-') return def;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  return error == std::errc() && end == s.data() + s.size() ? value : def;
}

} // namespace kelvo
