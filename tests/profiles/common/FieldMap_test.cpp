#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "profiles/common/Common4All.h"
#include "profiles/common/FieldMap.h"
#include "profiles/common/StepEngine.h"

namespace kelvo::common {
namespace {

// One field from line-format text, e.g. "*24510$aTitel$cAnsvar".
TMarcField Field(std::string_view text) {
  TMarcField f;
  f.ParseText(text, '*', '$');
  return f;
}

std::string Text(const TMarcRec& rec) {
  std::string out;
  for (const auto& f : rec.Fields)
    out += f->AsText('*', '$', false) + "\n";
  return out;
}

TEST(DialectCommon, StripEndingNeedsLongerText) {
  std::string s = " /";
  EXPECT_FALSE(StripEnding(s, " /"));
  EXPECT_EQ(s, " /");
  s = "Titel /";
  EXPECT_TRUE(StripEnding(s, " /"));
  EXPECT_EQ(s, "Titel");
}

TEST(DialectCommon, StripEndPunctuationRemovesEachInTurn) {
  const std::pair<std::string, std::string> rows[] = {
      {"Titel /", "Titel"},   {"Titel :", "Titel"},   {"Titel ;", "Titel"},    {"Titel,", "Titel"},
      {"Titel : /", "Titel"}, {"Titel ; /", "Titel"}, {"Titel /,", "Titel /"}, {",", ","},
      {"Titel:", "Titel:"},
  };
  for (const auto& [in, out] : rows) {
    std::string s = in;
    StripEndPunctuation(s);
    EXPECT_EQ(s, out) << in;
  }
}

TEST(DialectCommon, TrimEnclosingDropsEachEndOnItsOwn) {
  EXPECT_EQ(TrimEnclosing("  [Ljudupptagning]  ", '[', ']'), "Ljudupptagning");
  EXPECT_EQ(TrimEnclosing("(inb.", '(', ')'), "inb.");
  EXPECT_EQ(TrimEnclosing("inb.)", '(', ')'), "inb.");
  EXPECT_EQ(TrimEnclosing("()", '(', ')'), "");
  EXPECT_EQ(TrimEnclosing("", '(', ')'), "");
}

struct TTestContext : TRuleContext {
  std::string Seen;
};

void Note(TTestContext& c, const TMarcField& f, std::string_view target) {
  c.Seen += std::string(target) + ":" + f.Subfields[0]->Value + " ";
}

constexpr TCodeRow AToB[] = {{'a', 'b'}};
constexpr TFieldMap MapAToB{AToB};
using TestStep = TStep<TTestContext>;
constexpr std::array TestSteps{
    TestStep::Each("650", "", Note),
    TestStep::Each("CAT", "999", Note),
    TestStep::FirstMap("650", MapAToB),
    TestStep::Copy("651", "691", '9', Keep),
    TestStep::EachOut("691", [](TTestContext& c, TMarcField& f) { c.Seen += "out:" + f.Tag; }),
    TestStep::Rec([](TTestContext& c) { c.Seen += " done"; }),
};

TEST(StepEngine, RunsEveryKindOfStepInTableOrder) {
  TMarcRec rec;
  rec.ParseText("*650 0$aA\r\n*651 0$aX\r\n*650 7$aB\r\n*CAT  $aC1\r\n*650 4$aC\r\n*CAT  $aC2\r\n");
  TTagIndex index;
  index.Build(rec);
  TMarcRec out;
  TTestContext context{{rec, out, index}, {}};
  RunSteps<TTestContext>(TestSteps, context);
  EXPECT_EQ(context.Seen, "650:A 650:B 650:C 999:C1 999:C2 out:691 done");
  EXPECT_EQ(Text(out), "*650 0$bA\n*69190$aX\n");
}

TEST(DialectCommon, TagIndexForgetsTheRecordBefore) {
  TMarcRec first;
  first.ParseText("*245 0$aEtt\r\n*650 0$aA\r\n*650 0$aB\r\n");
  TMarcRec second;
  second.ParseText("*650 0$aC\r\n");
  TTagIndex index;
  EXPECT_EQ(index.First("245"), nullptr); // never built
  index.Build(first);
  index.Build(second);
  EXPECT_EQ(index.First("245"), nullptr);
  int count = 0;
  index.ForEach("650", [&](const TMarcField& f) {
    ++count;
    EXPECT_EQ(f.Subfields[0]->Value, "C");
  });
  EXPECT_EQ(count, 1);
}

TEST(DialectCommon, CopyFieldsAsKeepsIndicatorsAndSubfields) {
  TMarcRec src;
  src.ParseText("*77210$tHuvudserie$x1234-5678\r\n*245 0$aT\r\n*772 8$tAndra\r\n");
  TTagIndex index;
  index.Build(src);
  TMarcRec out;
  CopyFieldsAs(index, out, "772", "779");
  EXPECT_EQ(Text(out), "*77910$tHuvudserie$x1234-5678\n*779 8$tAndra\n");
}

TEST(DialectHelpers, FixText) {
  struct Row {
    const char* In;
    TTextFix Fix;
    const char* Out;
  };
  const Row rows[] = {
      {"[Ljudupptagning] /", TTextFix::Brackets, "Ljudupptagning"},
      {"(Stockholm) :", TTextFix::Parens, "Stockholm"},
      {" (Kalle) ", TTextFix::TrimParens, "Kalle"},
      {"(Karl Erik)", TTextFix::DropParens, "Karl Erik"},
      {" (Karl Erik) ", TTextFix::DropParens, " (Karl Erik) "},
      {"Titel.", TTextFix::StripFullStop, "Titel"},
      {"Titel..", TTextFix::StripFullStop, "Titel."},
      {".", TTextFix::StripFullStop, "."},
      {"inb.", TTextFix::Enclose, "(inb.)"},
      {"(inb.)", TTextFix::Enclose, "(inb.)"},
      {"(inb.", TTextFix::Enclose, "((inb.)"},
      {"  ", TTextFix::Enclose, "  "},
      {"Fr\xe5ga :", TTextFix::None, "Fr\xe5ga :"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(FixText(r.In, r.Fix), r.Out) << r.In;
}

TEST(DialectHelpers, FirstAndLastSubfieldText) {
  const TMarcField f = Field("*100  $aEtt$dX$aTv\xe5");
  EXPECT_EQ(FirstSubfieldText(f, 'a'), "Ett");
  EXPECT_EQ(LastSubfieldText(f, 'a'), "Tv\xe5");
  EXPECT_EQ(FirstSubfieldText(f, 'q'), "");
  EXPECT_EQ(LastSubfieldText(f, 'q'), "");
}

constexpr TCodeRow SourceEntries[] = {{'a', 'a'}, {'h', 'm', TTextFix::Brackets}, {'x', 'o'}, {'5', 'y'}};
constexpr TJoinSpec SourceJoins[] = {{"gq", " ", 'l', 'q', TTextFix::TrimParens}};
constexpr TFieldMap SourceMap{SourceEntries, SourceJoins};

constexpr TCodeRow FixedEntries[] = {{'a', 'a'}, {'e', 'c'}, {JoinedText, 'e'}, {'d', 'k'}};
constexpr TJoinSpec FixedJoins[] = {{"gq", " ", 'e'}};
constexpr TFieldMap FixedMap{FixedEntries, FixedJoins, TMapOrder::Fixed, '0'};

constexpr TCodeRow TwoJoinEntries[] = {{'b', 'b'}, {'e', 'd'}};
constexpr TJoinSpec TwoJoins[] = {{"af", " ", 'g'}, {"cg", " ", 'c', 'g', TTextFix::Enclose}};
constexpr TFieldMap TwoJoinMap{TwoJoinEntries, TwoJoins};

struct TMapCase {
  const char* Name;
  const TFieldMap* Map;
  const char* Source;
  const char* Expected; // "" when no field is made
};

void PrintTo(const TMapCase& c, std::ostream* os) { *os << c.Name; }

class ApplyFieldMapTest : public ::testing::TestWithParam<TMapCase> {};

TEST_P(ApplyFieldMapTest, BuildsTheOutputField) {
  const TMapCase& c = GetParam();
  TMarcRec out;
  const TMarcField* made = ApplyFieldMap(Field(c.Source), out, "600", *c.Map);
  EXPECT_EQ(Text(out), c.Expected);
  EXPECT_EQ(made != nullptr, *c.Expected != '\0');
}

const TMapCase MapCases[] = {
    {"SourceOrderDropsUnnamedAndJoinsLast", &SourceMap, "*60017$aNamn$q(Karl)$x\xc4mne$hbok]$gsm$vdropped$5S",
     "*60017$aNamn$o\xc4mne$mbok$yS$lKarl sm\n"},
    {"SourceOrderRepeatsAndKeepsBlankTexts", &SourceMap, "*600 4$a$aAndra", "*600 4$a$aAndra\n"},
    {"SourceOrderNothingTaken", &SourceMap, "*60010$vbara v$bb", ""},
    {"SourceOrderOnlyJoinedText", &SourceMap, "*60010$g1900-talet", "*60010$l1900-talet\n"},
    {"SourceOrderBlankJoinedTextLeftOut", &SourceMap, "*60010$g $q()", ""},
    {"FixedOrderLastWinsJoinInPlace", &FixedMap, "*61120$dSist$aF\xf6rst$aM\xf6te$qQ$gG$e\xc5r$d2001",
     "*60000$aM\xf6te$c\xc5r$eQ G$k2001\n"},
    {"FixedOrderAllBlank", &FixedMap, "*61120$a $x\xf6vrigt", ""},
    {"TwoJoinsAfterTheWalk", &TwoJoinMap, "*300  $a1 vol.$bill.$c24 cm$ginb.$e1 karta$f(xii s.)",
     "*600  $bill.$d1 karta$g1 vol. (xii s.)$c24 cm (inb.)\n"},
};

INSTANTIATE_TEST_SUITE_P(Dialect, ApplyFieldMapTest, ::testing::ValuesIn(MapCases),
                         [](const ::testing::TestParamInfo<TMapCase>& info) { return info.param.Name; });

} // namespace
} // namespace kelvo::common
