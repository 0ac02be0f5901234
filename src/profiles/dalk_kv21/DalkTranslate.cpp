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
  for (char& c : text)
    c = NationalMap[static_cast<unsigned char>(c)];
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
