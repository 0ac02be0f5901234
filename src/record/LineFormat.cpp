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
// the text): only then may a line hold CR elsewhere than as its last
// character. One pass without branches over the bytes, which the compiler
// makes a vector loop: a search call for each CR (one a line) costs more.
bool HasBareCr(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  unsigned bare = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    bare |= static_cast<unsigned>(p[i] == '\r') & static_cast<unsigned>(p[i + 1] != '\n');
  return bare != 0;
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
// sixteen at a time in two independent lanes, the last eight bytes read in
// one go even where they overlap bytes already hashed; lines that differ
// only in case meet in a slot and are told apart by SameLine.
std::uint64_t CaseFreeHash(std::string_view line) {
  constexpr std::uint64_t kCaseBits = 0x8F8F8F8F8F8F8F8FULL;
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
  const auto load = [&](std::size_t at) {
    std::uint64_t word;
    std::memcpy(&word, line.data() + at, 8);
    return word & kCaseBits;
  };
  const std::size_t n = line.size();
  std::uint64_t a = n, b = kMultiplier;
  std::size_t i = 0;
  for (; i + 16 <= n; i += 16) {
    a = (a ^ load(i)) * kMultiplier;
    b = (b ^ load(i + 8)) * kMultiplier;
    a ^= a >> 29;
    b ^= b >> 31;
  }
  std::uint64_t tail = 0;
  if (n >= 8) {
    if (i + 8 <= n) a = (a ^ load(i)) * kMultiplier;
    if (i < n) tail = load(n - 8);
  } else {
    for (; i < n; ++i)
      tail = tail << 8 | (static_cast<unsigned char>(line[i]) & 0x8F);
  }
  const std::uint64_t hash = (a ^ (b * 31) ^ tail) * kMultiplier;
  return hash ^ (hash >> 32);
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
  const std::uint64_t hash = Hash(line);
  std::size_t slot = hash & slotMask_;
  for (; slots_[slot] >= 0; slot = (slot + 1) & slotMask_)
    if (SameLine(kept_[static_cast<std::size_t>(slots_[slot])], line)) return false;
  kept_.push_back(line);
  keptHashes_.push_back(hash);
  if (2 * kept_.size() > slots_.size())
    Rehash(2 * slots_.size()); // at most half the slots taken, so that a search ends soon
  else
    slots_[slot] = static_cast<std::int32_t>(kept_.size() - 1);
  return true;
}

void TLineVariants::Rehash(std::size_t slotCount) {
  slots_.assign(slotCount, -1);
  slotMask_ = slotCount - 1;
  for (std::size_t i = 0; i < kept_.size(); ++i) {
    std::size_t slot = keptHashes_[i] & slotMask_;
    while (slots_[slot] >= 0)
      slot = (slot + 1) & slotMask_;
    slots_[slot] = static_cast<std::int32_t>(i);
  }
}

void TLineVariants::Append(std::string& out, std::string_view text, bool removeDuplicates, bool subfieldLines,
                           char delimiter) {
  if (removeDuplicates) {
    // Room for the lines of most records; a longer one doubles the table as it goes.
    constexpr std::size_t FirstSlotCount = 128;
    kept_.clear();
    keptHashes_.clear();
    Rehash(FirstSlotCount);
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
