// Brackets and the clean-ups that follow the field rules of profile 1.
#include "profiles/sorvia_kv21/Kv21CleanUps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/sorvia_kv21/Kv21TestSupport.h"
#include "record/MarcRec.h"

namespace kelvo::sorvia_kv21 {
namespace {

using kv21test::Lines;

TEST(Kv21Brackets, UnpairedBracketAtAnEndGoes) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Sagor (f\xf6r barn", "Sagor (f\xf6r barn"},
      {"(f\xf6r barn", "f\xf6r barn"},
      {"f\xf6r barn)", "f\xf6r barn"},
      {" (f\xf6r barn ", "f\xf6r barn"},
      {")", ")"}, // a lone closing bracket stays
      {"(", ""},
      {"(a) b)", "(a) b)"}, // begins and ends with a bracket of the pair
      {"((a)", "((a)"},
      {"{a", "a"},
      {"[(a]", "[(a]"},       // "(" is neither first nor last
      {"(a] ", "a"},          // each pair works on what the one before left
      {" (a) ", " (a) "},     // nothing to fix: the blanks stay
      {" [a] (b ", "[a] (b"}, // fixing nothing still stores the trimmed value
      // Longer values are searched eight bytes at a time: a bracket first or last in such a block.
      {"(Sagor f\xf6r barn", "Sagor f\xf6r barn"},
      {"{Sagor f\xf6r barn", "Sagor f\xf6r barn"},
      {"Sagor och sagor}", "Sagor och sagor"},
      {"Sagor f\xf6r barn och ung]", "Sagor f\xf6r barn och ung"},
  };
  for (const auto& [value, expected] : cases) {
    TMarcRec rec;
    rec.AddField("500")->AddSubfield('a', value);
    BalanceBrackets(rec);
    EXPECT_EQ(rec.FieldAt(0).Subfields[0]->Value, expected) << "'" << value << "'";
  }
}

struct TCleanUpCase {
  const char* Name;
  std::string Input;
  std::string Expected;
};

void CheckConversions(const std::vector<TCleanUpCase>& cases) {
  for (const TCleanUpCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(kv21test::ConvertOne(c.Input), c.Expected + "\r\n^\r\n");
  }
}

TEST(Kv21CleanUps, ExpressionCleanUps) {
  CheckConversions({
      {"final period after a word character", Lines({"*24510$aDikter.$bX."}), Lines({"*24510$aDikter$bX."})},
      {"after a national letter", Lines({"*24510$aP\xe5."}), Lines({"*24510$aP\xe5"})},
      {"periods in a row stay", Lines({"*24510$aDikter..."}), Lines({"*24510$aDikter..."})},
      {"other title fields", Lines({"*24510$aA.", "*2461 $aB.", "*24700$aC.", "*7400 $aD.", "*7300 $aE."}),
       Lines({"*24510$aA", "*2461 $aB", "*24700$aC", "*7300 $aE.", "*7400 $aD"})},
      {"brackets of a further $h", Lines({"*24510$aA$hB$h[Ljud]"}), Lines({"*24510$aA$hB$hLjud"})},
      {"final bracket of $h", Lines({"*24510$aA$hx [y]"}), Lines({"*24510$aA$hx [y"})},
      {"ISBN and ISSN before linked numbers",
       Lines({"*24510$aA", "*76000$zISBN 1", "*76500$zISBN  91-1$xISSN 1", "*78700$xISSN1234-5678$zISBN",
              "*78800$zISBN 2"}),
       Lines({"*24510$aA", "*76000$zISBN 1", "*76500$z91-1$x1", "*78700$x1234-5678$z", "*78800$zISBN 2"})},
  });
}

TEST(Kv21CleanUps, ReviewOrArticleDesignation) {
  CheckConversions({
      {"review", Lines({"*000 a c", "*24510$aA", "*787  $iRecension av"}),
       Lines({"*000 a c", "*24510$aA$hRecension", "*787  $iRecension av"})},
      {"not a review: an article", Lines({"*000 a c", "*24510$aA", "*787  $iBilaga"}),
       Lines({"*000 a c", "*24510$aA$hArtikel", "*787  $iBilaga"})},
      {"article", Lines({"*000000c0nam", "*24510$aA"}), Lines({"*000000c0nam", "*24510$aA$hArtikel"})},
      {"some 245 has $h", Lines({"*000000c0nam", "*24510$aA", "*24510$aB$hC"}),
       Lines({"*000000c0nam", "*24510$aA", "*24510$aB$hC"})},
      {"no leader", Lines({"*24510$aA", "*787  $iRecension"}), Lines({"*24510$aA", "*787  $iRecension"})},
  });
}

TEST(Kv21CleanUps, AccompanyingMaterialLosesItsPlus) {
  CheckConversions({
      {"plus goes", Lines({"*24510$aA", "*300  $a200 s.$e+ 1 CD"}),
       Lines({"*24510$aA", "*300  $a200 s.$e1 CD"})},
      {"no plus", Lines({"*24510$aA", "*300  $e1 CD"}), Lines({"*24510$aA", "*300  $e1 CD"})},
      {"only the first 300", Lines({"*24510$aA", "*300  $aX", "*300  $e+ 1 CD"}),
       Lines({"*24510$aA", "*300  $aX", "*300  $e+ 1 CD"})},
  });
}

} // namespace
} // namespace kelvo::sorvia_kv21
