#include "record/LineFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// True when a CR of text is not part of a line end (CR LF, or the end of
// the text): only then may a line hold CR elsewhere than as its last character.
bool HasBareCr(std::string_view text) {
  for (std::size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r', cr + 1))
    if (cr + 1 < text.size() && text[cr + 1] != '\n') return true;
  return false;
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

std::string_view WithoutLastCr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// A hash of line that letter case cannot change. The case mapping only
// clears bits 0x10, 0x20 and 0x40 of a byte (a-z, the accented letters, the
// carons, oe and y diaeresis), so the bytes are hashed without those bits,
// eight at a time; lines that differ only there meet in a slot and are told
// apart by SameLine.
std::uint64_t CaseFreeHash(std::string_view line) {
  constexpr std::uint64_t kCaseBits = 0x8F8F8F8F8F8F8F8FULL;
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
  const auto mix = [](std::uint64_t hash, std::uint64_t word) {
    hash = (hash ^ (word & kCaseBits)) * kMultiplier;
    return hash ^ (hash >> 32);
  };
  std::uint64_t hash = line.size();
  std::size_t i = 0;
  for (std::uint64_t word; i + 8 <= line.size(); i += 8) {
    std::memcpy(&word, line.data() + i, 8);
    hash = mix(hash, word);
  }
  std::uint64_t rest = 0;
  std::memcpy(&rest, line.data() + i, line.size() - i);
  return mix(hash, rest);
}

} // namespace

TLineVariants::TLineVariants() {
  for (int c = 0; c < 256; ++c)
    upper_[c] = static_cast<unsigned char>(UpperChar(static_cast<char>(c)));
}

void TLineVariants::AppendPiece(std::string& out, std::string_view piece) const {
  if (bareCr_)
    AppendWithoutCr(out, piece);
  else
    out.append(WithoutLastCr(piece));
}

// One line of the subfield-lines variant: the first delimiter stays on the
// line, every further one begins a line.
void TLineVariants::AppendSubfieldLine(std::string& out, std::string_view line, char delimiter) const {
  std::size_t next = line.find(delimiter);
  if (next != std::string_view::npos) next = line.find(delimiter, next + 1);
  std::size_t start = 0;
  for (; next != std::string_view::npos; next = line.find(delimiter, next + 1)) {
    AppendPiece(out, line.substr(start, next - start));
    out += LineEnd;
    start = next;
  }
  AppendPiece(out, line.substr(start));
}

// Of the line without its CR characters, as SameLine compares.
std::uint64_t TLineVariants::Hash(std::string_view line) {
  if (!bareCr_) return CaseFreeHash(WithoutLastCr(line));
  crFree_.clear();
  AppendWithoutCr(crFree_, line);
  return CaseFreeHash(crFree_);
}

bool TLineVariants::SameLine(std::string_view a, std::string_view b) const {
  std::size_t i = 0;
  std::size_t j = 0;
  for (;;) {
    while (i < a.size() && a[i] == '\r')
      ++i;
    while (j < b.size() && b[j] == '\r')
      ++j;
    if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
    if (upper_[static_cast<unsigned char>(a[i])] != upper_[static_cast<unsigned char>(b[j])]) return false;
    ++i;
    ++j;
  }
}

bool TLineVariants::IsNewLine(std::string_view line) {
  std::size_t slot = Hash(line) & slotMask_;
  for (; slots_[slot] >= 0; slot = (slot + 1) & slotMask_)
    if (SameLine(kept_[static_cast<std::size_t>(slots_[slot])], line)) return false;
  slots_[slot] = static_cast<std::int32_t>(kept_.size());
  kept_.push_back(line);
  return true;
}

void TLineVariants::Append(std::string& out, std::string_view text, bool removeDuplicates, bool subfieldLines,
                           char delimiter) {
  if (removeDuplicates) {
    // At least twice as many slots as the text has lines: each line is looked up once.
    std::size_t lineCount = 1;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', lf + 1))
      ++lineCount;
    std::size_t slotCount = 16;
    while (slotCount < 2 * lineCount)
      slotCount *= 2;
    slots_.assign(slotCount, -1);
    slotMask_ = slotCount - 1;
    kept_.clear();
  }
  // Subfield lines join lines with a line end only between two non-blank
  // ones. Duplicate removal may keep a blank line after the last non-blank
  // one, which the subfield lines of its text would not show: where such
  // lines begin in out, to cut them off at the end.
  bareCr_ = HasBareCr(text);
  bool joinedNonBlank = false;
  std::size_t blankTail = std::string::npos;
  ForEachLine(text, [&](std::string_view line) {
    if (removeDuplicates && !IsNewLine(line)) return;
    if (!subfieldLines) {
      AppendPiece(out, line);
      out += LineEnd;
      return;
    }
    const bool lineNonBlank = !IsBlank(line);
    if (joinedNonBlank && lineNonBlank) out += LineEnd;
    joinedNonBlank = joinedNonBlank || lineNonBlank;
    if (lineNonBlank)
      blankTail = std::string::npos;
    else if (blankTail == std::string::npos)
      blankTail = out.size();
    AppendSubfieldLine(out, line, delimiter);
  });
  if (blankTail != std::string::npos) out.resize(blankTail);
}

void AppendWithoutDuplicateLines(std::string& out, std::string_view text) {
  TLineVariants().Append(out, text, true, false);
}

void AppendSubfieldLines(std::string& out, std::string_view text, char delimiter) {
  TLineVariants().Append(out, text, false, true, delimiter);
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
