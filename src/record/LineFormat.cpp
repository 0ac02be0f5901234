#include "record/LineFormat.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "record/vostr.h"

namespace kelvo {

namespace {

// Calls fn for each line of text cut at LF, stopping as soon as the rest is
// blank (so trailing empty lines are dropped). The lines may still hold CR,
// which both variants remove; a CR is blank, so it never changes whether a
// line or the rest counts as blank.
template <class Fn> void ForEachLine(std::string_view text, Fn fn) {
  const std::size_t lastNonBlank = text.find_last_not_of(" \t\r\n");
  if (lastNonBlank == std::string_view::npos) return;
  text = text.substr(0, text.find('\n', lastNonBlank));
  for (std::size_t start = 0;;) {
    const std::size_t lf = text.find('\n', start);
    fn(text.substr(start, lf == std::string_view::npos ? std::string_view::npos : lf - start));
    if (lf == std::string_view::npos) return;
    start = lf + 1;
  }
}

// Appends text without its CR characters.
void AppendWithoutCr(std::string& out, std::string_view text) {
  for (std::size_t start = 0;;) {
    const std::size_t cr = text.find('\r', start);
    out.append(text.substr(start, cr == std::string_view::npos ? std::string_view::npos : cr - start));
    if (cr == std::string_view::npos) return;
    start = cr + 1;
  }
}

// Hash and equality of lines ignoring letter case and CR, as duplicate-line
// removal compares them.
std::uint64_t LineHash(std::string_view line) {
  std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
  for (char c : line) {
    if (c == '\r') continue;
    hash = (hash ^ static_cast<unsigned char>(UpperChar(c))) * 1099511628211ULL;
  }
  return hash;
}

bool SameLine(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  for (;;) {
    while (i < a.size() && a[i] == '\r')
      ++i;
    while (j < b.size() && b[j] == '\r')
      ++j;
    if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
    if (UpperChar(a[i]) != UpperChar(b[j])) return false;
    ++i;
    ++j;
  }
}

} // namespace

void AppendWithoutDuplicateLines(std::string& out, std::string_view text) {
  // The lines kept so far, in an open-addressed table of at least twice as
  // many slots as the text has lines: each line is looked up once.
  const auto lineCount = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
  std::size_t slotCount = 16;
  while (slotCount < 2 * lineCount)
    slotCount *= 2;
  std::vector<std::string_view> kept;
  kept.reserve(lineCount);
  std::vector<std::int32_t> slots(slotCount, -1);
  ForEachLine(text, [&](std::string_view line) {
    std::size_t slot = LineHash(line) & (slotCount - 1);
    for (; slots[slot] >= 0; slot = (slot + 1) & (slotCount - 1))
      if (SameLine(kept[static_cast<std::size_t>(slots[slot])], line)) return;
    slots[slot] = static_cast<std::int32_t>(kept.size());
    kept.push_back(line);
    AppendWithoutCr(out, line);
    out += LineEnd;
  });
}

void AppendSubfieldLines(std::string& out, std::string_view text, char delimiter) {
  bool joinedNonBlank = false;
  ForEachLine(text, [&](std::string_view line) {
    const bool lineNonBlank = !IsBlank(line);
    if (joinedNonBlank && lineNonBlank) out += LineEnd;
    joinedNonBlank = joinedNonBlank || lineNonBlank;
    // The first delimiter stays on the line; every further one begins a line.
    std::size_t next = line.find(delimiter);
    if (next != std::string_view::npos) next = line.find(delimiter, next + 1);
    std::size_t start = 0;
    for (; next != std::string_view::npos; next = line.find(delimiter, next + 1)) {
      AppendWithoutCr(out, line.substr(start, next - start));
      out += LineEnd;
      start = next;
    }
    AppendWithoutCr(out, line.substr(start));
  });
}

std::string RemoveDuplicateLinesText(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  AppendWithoutDuplicateLines(out, text);
  return out;
}

std::string SubfieldLinesText(std::string_view text, char delimiter) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  AppendSubfieldLines(out, text, delimiter);
  return out;
}

bool HasFieldLine(std::string_view text) {
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t first = text.find_first_not_of(" \t", start);
    if (first == std::string_view::npos) return false;
    if (text[first] == '*') return true;
    start = text.find_first_of("\r\n", first);
    if (start == std::string_view::npos) return false;
    ++start;
  }
  return false;
}

} // namespace kelvo
