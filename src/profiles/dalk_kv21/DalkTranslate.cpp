#include "profiles/dalk_kv21/DalkTranslate.h"

#include <array>
#include <cstring>
#include <string_view>

#include "profiles/dalk_kv21/DalkTranslateTables.h"

namespace kelvo::dalk_kv21 {
namespace {

using detail::MarkedSequenceRows;
using detail::NationalCharRows;

// The national rows applied one after the other act on each byte alone, so
// their composition is one byte map.
constexpr std::array<char, 256> BuildNationalMap() {
  std::array<char, 256> map{};
  for (int b = 0; b < 256; ++b)
    map[b] = static_cast<char>(b);
  for (const auto& row : NationalCharRows)
    for (char& c : map)
      if (c == row.From) c = row.To;
  return map;
}

constexpr std::array<char, 256> NationalMap = BuildNationalMap();

// The bytes the map changes, with what each becomes.
struct TByteChange {
  unsigned char From, To;
};
constexpr std::size_t NationalChangeCount = [] {
  std::size_t n = 0;
  for (int b = 0; b < 256; ++b)
    n += NationalMap[static_cast<std::size_t>(b)] != static_cast<char>(b);
  return n;
}();
constexpr std::array<TByteChange, NationalChangeCount> NationalChanges = [] {
  std::array<TByteChange, NationalChangeCount> changes{};
  std::size_t n = 0;
  for (int b = 0; b < 256; ++b)
    if (NationalMap[static_cast<std::size_t>(b)] != static_cast<char>(b))
      changes[n++] = {static_cast<unsigned char>(b),
                      static_cast<unsigned char>(NationalMap[static_cast<std::size_t>(b)])};
  return changes;
}();

// A row's replacement is never longer than what it replaces (so one pass can
// compact the text in place) and never holds a marker (so markers only ever
// disappear, and a text without markers is finished).
constexpr bool RowsShrinkWithoutMarkers() {
  for (const auto& row : MarkedSequenceRows) {
    if (row.Replacement.size() > row.After.size() + 1) return false;
    if (row.Replacement.find(DalkMarker) != std::string_view::npos) return false;
  }
  return true;
}
static_assert(RowsShrinkWithoutMarkers());

// One row over the whole text, starting at the first marker.
void ReplaceRow(std::string& text, std::size_t firstMarker, std::string_view after,
                std::string_view replacement) {
  const auto matchesAt = [&](std::size_t m) { return text.compare(m + 1, after.size(), after) == 0; };
  std::size_t m = firstMarker;
  while (m != std::string::npos && !matchesAt(m))
    m = text.find(DalkMarker, m + 1);
  if (m == std::string::npos) return;

  char* data = text.data();
  std::size_t write = m;
  std::size_t read = m;
  while (m != std::string::npos) {
    std::memmove(data + write, data + read, m - read);
    write += m - read;
    std::memcpy(data + write, replacement.data(), replacement.size());
    write += replacement.size();
    read = m + 1 + after.size();
    m = text.find(DalkMarker, read);
    while (m != std::string::npos && !matchesAt(m))
      m = text.find(DalkMarker, m + 1);
  }
  std::memmove(data + write, data + read, text.size() - read);
  text.resize(write + text.size() - read);
}

} // namespace

void TranslateNationalChars(std::string& text) {
  // A comparison a changed byte instead of a table lookup a byte: the
  // compiler makes this a vector loop, sixteen bytes or more a step.
  auto* bytes = reinterpret_cast<unsigned char*>(text.data());
  const std::size_t size = text.size(); // the stores could change text.size() for all the compiler knows
  for (std::size_t i = 0; i < size; ++i) {
    const unsigned char from = bytes[i];
    unsigned char flip = 0; // the bits that turn from into what it becomes (at most one change matches)
    for (const TByteChange& change : NationalChanges)
      flip |= static_cast<unsigned char>(-static_cast<int>(from == change.From) & (change.From ^ change.To));
    bytes[i] = static_cast<unsigned char>(from ^ flip);
  }
}

void ReplaceMarkedSequences(std::string& text) {
  for (const auto& row : MarkedSequenceRows) {
    const std::size_t firstMarker = text.find(DalkMarker);
    if (firstMarker == std::string::npos) return;
    ReplaceRow(text, firstMarker, row.After, row.Replacement);
  }
}

std::string TranslateText(std::string text) {
  TranslateNationalChars(text);
  ReplaceMarkedSequences(text);
  return text;
}

} // namespace kelvo::dalk_kv21
