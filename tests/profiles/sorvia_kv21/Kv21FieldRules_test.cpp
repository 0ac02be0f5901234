// The bibliographic field rules of profile 1, one group of cases per rule.
#include "profiles/sorvia_kv21/Kv21FieldRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/sorvia_kv21/Kv21TestSupport.h"
#include "record/MarcRec.h"

namespace kelvo::sorvia_kv21 {
namespace {

using kv21test::Lines;

// The record of one line-format text.
struct TParsed {
  explicit TParsed(const std::string& text) { Rec.ParseText(text); }
  TMarcField& Field(std::string_view tag, int occurrence = 1) {
    TMarcField* field = Rec.FindFieldPtr(tag, occurrence);
    if (field == nullptr) throw std::runtime_error("no field " + std::string(tag));
    return *field;
  }
  std::string Line(std::string_view tag, int occurrence = 1) {
    return Field(tag, occurrence).AsText('*', '$', false);
  }
  TMarcRec Rec;
};

struct TFieldCase {
  std::string Input;    // one field line
  std::string Expected; // the same field after the rule
};

// Runs a rule on the one field of each case's input.
template <typename Rule> void CheckFieldRule(const std::vector<TFieldCase>& cases, Rule&& rule) {
  for (const TFieldCase& c : cases) {
    SCOPED_TRACE(c.Input);
    TParsed parsed(c.Input);
    ASSERT_EQ(parsed.Rec.FieldCount(), 1);
    rule(parsed.Field(parsed.Rec.FieldAt(0).Tag));
    EXPECT_EQ(parsed.Line(parsed.Rec.FieldAt(0).Tag), c.Expected);
  }
}

TEST(Kv21FieldRules, TrailingPunctuationLosesOneMarkAndKeepsTheBlankBeforeIt) {
  TKv21FieldRules rules;
  TParsed parsed(Lines({"*001abc;", "*245 0$aTitel /$bundertitel :$cAnna;;$nDel, $pDikter.$x/"}));
  rules.StripTrailingPunctuation(parsed.Rec);
  EXPECT_EQ(parsed.Line("001"), "*001abc;"); // control data is not touched
  EXPECT_EQ(parsed.Line("245"), "*245 0$aTitel $bundertitel $cAnna;$nDel, $pDikter.$x");
}

TEST(Kv21FieldRules, IsbnGetsItsCleanCopyInX) {
  TKv21FieldRules rules;
  CheckFieldRule(
      {
          {"*020  $a91-7119-123-4 (inb.)", "*020  $a91-7119-123-4 (inb.)$x91-7119-123-4"},
          {"*020  $a978-91-7119-123-4", "*020  $a978-91-7119-123-4$x978-91-7119-123-4"},
          // Too long for the first form, and the blank after it is not kept.
          {"*020  $a978-91-7119-123-4 (hft.)", "*020  $a978-91-7119-123-4 (hft.)$x978-91-7119-123-4"},
          {"*020  $a917119123X", "*020  $a917119123X$x917119123X"},
          {"*020  $ainb.", "*020  $ainb."},
          {"*020  $a 91-7119-123-4", "*020  $a 91-7119-123-4"}, // must start the value
          {"*020  $z91-7119-123-4", "*020  $z91-7119-123-4"},
      },
      [&](TMarcField& f) { rules.AddIsbnCopy(f); });
}

TEST(Kv21FieldRules, LanguageCodesAreSplitIntoOneAEach) {
  CheckFieldRule(
      {
          {"*041 0$aswefreeng$hger", "*041 0$aswe$hger$afre$aeng"},
          {"*041  $asweeng $hx", "*041  $aswe$hx$aeng"},
          {"*041  $aswedish", "*041  $aswedish"},
          {"*041  $aswe", "*041  $aswe"},
          {"*041  $hswefre", "*041  $hswefre"},
      },
      TKv21FieldRules::SplitLanguages);
}

TEST(Kv21FieldRules, FilingFormSkipsTheCharactersOfTheFirstIndicator) {
  CheckFieldRule(
      {
          {"*1304 $aThe sound", "*1304 $aThe sound$wsound"},
          {"*6302 $aL'amour", "*6302 $aL'amour$wamour"},
          {"*7302 $aAb", "*7302 $aAb"}, // not longer than the skip
          {"*1300 $aThe sound", "*1300 $aThe sound"},
          {"*130  $aThe sound", "*130  $aThe sound"},
          {"*740X $aThe sound", "*740X $aThe sound"},
          {"*7404 $tThe sound", "*7404 $tThe sound"},
      },
      TKv21FieldRules::AddFilingForm);
}

TEST(Kv21FieldRules, MaterialDesignationOf245) {
  struct TCase {
    std::string Leader; // character 8 decides the kind
    std::string Title;
    std::string Expected;
  };
  const std::vector<TCase> cases = {
      {"00000nam", "*24510$aT$h[Ljudupptagning] / Anna Berg", "*24510$aT$hLjudupptagning$cAnna Berg"},
      {"00000nam", "*24510$aT$h[Ljudupptagning] / Anna Berg$cX", "*24510$aT$hLjudupptagning$cX / Anna Berg"},
      {"00000nam", "*24510$aT$h[Ljud] : en bok", "*24510$aT$hLjud$ben bok"},
      {"00000nam", "*24510$aT$h[Ljud] = Sound$bY", "*24510$aT$hLjud$bY = Sound"},
      {"00000nam", "*24510$aT$h[Ljud] ; $cX", "*24510$aT$hLjud$cX"}, // the new $b stays blank and goes
      {"00000nam", "*24510$aT$h[Ljud] mer", "*24510$aT$hLjud"},      // no target: the rest goes
      {"00000nam", "*24510$aT$h[Ljud] / [red.]", "*24510$aT$hLjud] / [red."}, // the longest bracket
      {"00000nam", "*24510$aT$hLjud", "*24510$aT$hLjud"},
      {"00000nam", "*24510$aT", "*24510$aT"},
      {"00000naa", "*24510$aT", "*24510$aT$hAnalytisk post"},
      {"00000nab", "*24510$aT", "*24510$aT$hArtikel"},
      {"00000nab", "*24510$aT$h[Ljud] / X", "*24510$aT$hLjud$cX"},
      {"", "*24510$aT", "*24510$aT"},
  };
  TKv21FieldRules rules;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Leader + " " + c.Title);
    TParsed parsed(Lines({"*000" + c.Leader, c.Title, "*24500$h[Ljud] / Y"}));
    rules.MaterialDesignation(parsed.Rec);
    EXPECT_EQ(parsed.Line("245"), c.Expected);
    EXPECT_EQ(parsed.Line("245", 2), "*24500$h[Ljud] / Y"); // only the first 245
  }
}

TEST(Kv21FieldRules, ExtractYear) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"cop. 1998", "1998"},
      {"[199-?]", "1990"},
      {"s.a.", ""},
      {"1998-2001", "1998"},
      {"ca 180?", "1800"},
      {"[2004]", "2004"},
      {"1650", ""},
      {"cop. 19981", "1998"},
      {"tr. 2001, cop. 1999", "2001"},
      {"", ""},
  };
  TKv21FieldRules rules;
  for (const auto& [text, year] : cases)
    EXPECT_EQ(rules.ExtractYear(text), year) << text;
}

TEST(Kv21FieldRules, YearOfPublicationGoesToY) {
  TKv21FieldRules rules;
  CheckFieldRule(
      {
          {"*260  $aSthlm$c cop. 1998 $b", "*260  $aSthlm$c cop. 1998 $b$y1998"},
          {"*260  $c[199-?]", "*260  $c[199-?]$y1990"},
          {"*260  $cs.a.", "*260  $cs.a."},
          {"*260  $c1998$y2000", "*260  $c1998$y2000"},
          {"*260  $aSthlm", "*260  $aSthlm"},
      },
      [&](TMarcField& f) { rules.AddYear(f); });
}

TEST(Kv21FieldRules, MedicalSubjectsBecome660) {
  CheckFieldRule({{"*65012$aX", "*66012$aX"}, {"*65010$aX", "*65010$aX"}, {"*65021$aX", "*65021$aX"}},
                 TKv21FieldRules::MedicalSubject);
}

TEST(Kv21FieldRules, LinkNumberKeepsItsFirstPlainPiece) {
  CheckFieldRule(
      {
          {"*760  $w(XX-ABC) 1234567", "*760  $w1234567"},
          {"*762  $w(XX-ABC)1234567", "*762  $w(XX-ABC)1234567"},
          {"*760  $w(A)  (B) 99x y", "*760  $w99x"},
          {"*760  $wabc def", "*760  $wabc"},
          {"*760  $w(A) \xe5r", "*760  $w(A) \xe5r"}, // a national letter is no ASCII letter
          {"*760  $tX", "*760  $tX"},
      },
      TKv21FieldRules::LinkNumber);
}

TEST(Kv21FieldRules, ShelfMarkJoinsOrBecomesC) {
  CheckFieldRule(
      {
          {"*852  $cMag$hHc$hX", "*852  $cMag Hc$hX"},
          {"*852  $hHc$iU", "*852  $cHc$iU"},
          {"*852  $c$hHc", "*852  $cHc"},
          {"*852  $cMag", "*852  $cMag"},
      },
      TKv21FieldRules::ShelfMarkToC);
}

TEST(Kv21Weeding, ScrappedRecordGets009WithTodaysDate) {
  const testing::ScopedSourceDate today;
  common::TWeeding criteria("852", 'i');
  criteria.SetCriteria("Utgallr|Gallr|U");
  TParsed weeded(Lines({"*852  $iutgallr", "*852  $iU"}));
  TKv21FieldRules::MarkScrapped(weeded.Rec, criteria);
  EXPECT_EQ(weeded.Line("009"), std::string("*00900$xSCRAPPED$y") + testing::kStampDate);

  TParsed kept(Lines({"*852  $iUtgallr", "*852  $bX"}));
  TKv21FieldRules::MarkScrapped(kept.Rec, criteria);
  EXPECT_EQ(kept.Rec.FieldCount("009"), 0);
}

} // namespace
} // namespace kelvo::sorvia_kv21
