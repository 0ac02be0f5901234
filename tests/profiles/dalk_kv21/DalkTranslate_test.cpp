#include "profiles/dalk_kv21/DalkTranslate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "profiles/dalk_kv21/DalkTranslateTables.h"

namespace kelvo::dalk_kv21 {
namespace {

using detail::MarkedSequenceRows;
using detail::NationalCharRows;

const std::string M(1, DalkMarker);

// The national rows one after the other, each over the whole text.
std::string NationalRowByRow(std::string text) {
  for (const auto& row : NationalCharRows)
    std::replace(text.begin(), text.end(), row.From, row.To);
  return text;
}

TEST(DalkTranslateNational, EqualsTheRowsAppliedInOrderForEveryByte) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    all += static_cast<char>(b);
  std::string translated = all;
  TranslateNationalChars(translated);
  EXPECT_EQ(translated, NationalRowByRow(all));
}

struct TNationalCase {
  const char* In;
  const char* Out;
};

TEST(DalkTranslateNational, EveryRow) {
  static constexpr TNationalCase cases[] = {
      {"]", "\xc5"}, {"[", "\xc4"}, {"\\", "\xd6"}, {"}", "\xe5"},
      {"{", "\xe4"}, {"|", "\xf6"}, {"<", "["},     {">", "]"},
  };
  ASSERT_EQ(std::size(cases), NationalCharRows.size());
  for (const auto& c : cases)
    EXPECT_EQ(TranslateText(c.In), c.Out) << c.In;
}

TEST(DalkTranslateNational, BracketsFromAngleBracketsAreNotTurnedIntoLetters) {
  EXPECT_EQ(TranslateText("*245 0$a<Ljudbok>"), "*245 0$a[Ljudbok]");
  EXPECT_EQ(TranslateText("[Kr]ka]"), "\xc4Kr\xc5ka\xc5");
  EXPECT_EQ(TranslateText("Sm|rg}sbord {r b\\st"), "Sm\xf6rg\xe5sbord \xe4r b\xd6st");
}

// A row whose sequence an earlier row already takes (105 after 21, 106 after
// 10) can only act on what a deletion joins anew: marker, marker, "S", then
// its sequence; row 24 removes the second marker with the "S".
bool ShadowedByEarlierRow(std::size_t index) {
  const std::string_view after = MarkedSequenceRows[index].After;
  for (std::size_t j = 0; j < index; ++j)
    if (after.starts_with(MarkedSequenceRows[j].After)) return true;
  return false;
}

TEST(DalkTranslateMarked, EveryRowReplacesItsSequence) {
  int shadowed = 0;
  for (std::size_t i = 0; i < MarkedSequenceRows.size(); ++i) {
    const auto& row = MarkedSequenceRows[i];
    std::string text = "x" + M + std::string(row.After) + "y";
    if (ShadowedByEarlierRow(i)) {
      ++shadowed;
      text = "x" + M + M + "S" + std::string(row.After) + "y";
    }
    ReplaceMarkedSequences(text);
    EXPECT_EQ(text, "x" + std::string(row.Replacement) + "y") << "row " << i + 1;
  }
  EXPECT_EQ(shadowed, 2); // rows 105 and 106
}

TEST(DalkTranslateMarked, RowsTheTableFixes) {
  struct TCase {
    int Row;
    std::string In;
    std::string Out;
  };
  const TCase cases[] = {
      {1, M + "\xd6", "\xd8"},
      {12, M + "$Ix", "Ix"},
      {24, "a" + M + "Sb", "ab"},
      {28, M + "0", "\xb1"},
      {44, "Caf" + M + "/e", "Caf\xe9"},
      {55, M + "Ca", "\xe2"},
      {65, M + M, ""},
      {87, M + "1", "\xa1"},
      {104, M + "\xe2", "a"},
      {106, M + M + "Sv", "Sv"},
      {109, M + "m\xed", "Sm\xed"},
      {110, "slut" + M + ".", "slut"},
  };
  for (const auto& c : cases) {
    std::string text = c.In;
    ReplaceMarkedSequences(text);
    EXPECT_EQ(text, c.Out) << "row " << c.Row;
  }
}

TEST(DalkTranslateMarked, OrderOfTheRows) {
  struct TCase {
    const char* Why;
    std::string In;
    std::string Out;
  };
  const TCase cases[] = {
      {"unlisted sequence keeps the marker", "a" + M + "Xb", "a" + M + "Xb"},
      {"marker at the very end stays", "ab" + M, "ab" + M},
      {"two markers go together", "a" + M + M + "X", "aX"},
      {"rows before 65 take the second marker first", M + M + "Ca", "a"},
      {"row 55 then row 104 on what it leaves", M + M + "Ca" + M + "\xe2", "aa"},
      {"every occurrence in the text", M + "/e" + M + "/e" + M + "+a", "\xe9\xe9\xe0"},
      {"a match does not overlap the next", M + M + M + "v", "u"},
      {"no marker: nothing changes", "$a+a /e Ca", "$a+a /e Ca"},
  };
  for (const auto& c : cases) {
    std::string text = c.In;
    ReplaceMarkedSequences(text);
    EXPECT_EQ(text, c.Out) << c.Why;
  }
}

TEST(DalkTranslateText, NationalCharactersFirstThenSequences) {
  // The vendor writes O slash as "$\", AE as "$[", a ring removed as "$}".
  EXPECT_EQ(TranslateText(M + "\\"), "\xd8");
  EXPECT_EQ(TranslateText(M + "|"), "\xf8");
  EXPECT_EQ(TranslateText(M + "["), "\xc6");
  EXPECT_EQ(TranslateText(M + "{"), "\xe6");
  EXPECT_EQ(TranslateText(M + "]"), "");
  EXPECT_EQ(TranslateText(M + "}"), "");
  // After step 1 no "<" or ">" is left for rows 26 and 27.
  EXPECT_EQ(TranslateText(M + "<"), M + "[");
}

TEST(DalkTranslateText, WholeRecordText) {
  const std::string in = "*000     nam\r\n*24510$aK{rnten" + M + "/e {r sm}$cT" + M + "CO\r\n";
  EXPECT_EQ(TranslateText(in), "*000     nam\r\n*24510$aK\xe4rnten\xe9 \xe4r sm\xe5$cT\xd4\r\n");
}

} // namespace
} // namespace kelvo::dalk_kv21
