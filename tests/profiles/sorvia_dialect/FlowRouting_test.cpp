#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "profiles/sorvia_dialect/DialectFixture.h"
#include "record/MarcError.h"
#include "support/SourceDate.h"

namespace kelvo::sorvia_dialect {
namespace {

using testing::DialectRun;
using testing::TConverterSetup;

// The 001 texts of the records in a line-format file, joined with blanks.
std::string Ids(const std::string& text) {
  std::string ids;
  for (std::size_t pos = text.find("*001"); pos != std::string::npos; pos = text.find("*001", pos + 1)) {
    if (!ids.empty()) ids += ' ';
    ids += text.substr(pos + 4, text.find('\r', pos) - pos - 4);
  }
  return ids;
}

// Plain, weeded, periodical, weeded periodical, a record with 295 only and
// one without any title. Passed through unchanged, so the tests read the
// fields the routing looks at directly.
constexpr const char* Mixed = "*001A\r\n*000   a\r\n*24510$aVanlig\r\n^\r\n"
                              "*001W\r\n*000   a\r\n*24510$aGallrad\r\n*096  $aHylla$sGALLR\r\n^\r\n"
                              "*001P\r\n*000   g\r\n*24510$aTidskrift\r\n^\r\n"
                              "*001WP\r\n*000   g\r\n*24510$aGallrad tidskrift\r\n*096  $sU\r\n^\r\n"
                              "*001T\r\n*29500$aBara 295\r\n^\r\n"
                              "*001N\r\n*500  $aIngen titel\r\n^\r\n";

struct TRouteCase {
  const char* Name;
  TConverterSetup Sides;
  const char* Out;
  const char* Weeded;
  const char* Periodicals;
};

void PrintTo(const TRouteCase& c, std::ostream* os) { *os << c.Name; }

class RoutingTest : public ::testing::TestWithParam<TRouteCase> {};

TEST_P(RoutingTest, SendsEachRecordToOneDestination) {
  const TRouteCase& r = GetParam();
  DialectRun run(Mixed, r.Sides);
  run.Kv->ConvertToKv2 = false;
  EXPECT_EQ(Ids(run.RunToEnd()), r.Out);
  EXPECT_EQ(Ids(run.Side("utgallrade.mrc")), r.Weeded);
  EXPECT_EQ(Ids(run.Side("periodika.mrc")), r.Periodicals);
}

const TRouteCase Routes[] = {
    {"NoSideFiles", {false, false}, "A W P WP T", "", ""},
    {"WeededOnly", {false, true}, "A P T", "W WP", ""},
    {"PeriodicalsOnly", {true, false}, "A W T", "", "P WP"},
    {"Both", {true, true}, "A T", "W WP", "P"},
};

INSTANTIATE_TEST_SUITE_P(Dialect, RoutingTest, ::testing::ValuesIn(Routes),
                         [](const ::testing::TestParamInfo<TRouteCase>& info) { return info.param.Name; });

TEST(DialectFlow, RunCountsNameEveryDestination) {
  DialectRun run(Mixed, {true, true});
  run.Kv->ConvertToKv2 = false;
  run.RunToEnd();
  ASSERT_EQ(run.Counts.size(), 4U);
  const std::string labels[] = {"Utfil", "Periodika", "Utgallrade", "Ej skrivna"};
  const std::string files[] = {run.Dir.File("out.mrc"), run.Dir.File("periodika.mrc"),
                               run.Dir.File("utgallrade.mrc"), ""};
  // Ej skrivna: the record without a title; the blank rest after the last "^" is none.
  const std::int64_t counts[] = {2, 1, 2, 1};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(run.Counts[i].Label, labels[i]);
    EXPECT_EQ(run.Counts[i].FileName, files[i]);
    EXPECT_EQ(run.Counts[i].Count, counts[i]) << labels[i];
  }
}

TEST(DialectFlow, SideRecordIsWrittenLikeTheOutput) {
  DialectRun run("*001W\r\n*24510$aGallrad  \r\n*096  $sGallr\r\n^\r\n", {false, true});
  run.Kv->ConvertToKv2 = false;
  run.Kv->SubfieldLines = true;
  EXPECT_EQ(run.RunToEnd(), "");
  EXPECT_EQ(run.Side("utgallrade.mrc"), "*001W\r\n*24510$aGallrad\r\n*096  $sGallr\r\n^\r\n");
}

TEST(DialectFlow, IsPeriodicalReadsPosition4OfTheOutputLeader) {
  DialectRun run;
  const std::pair<const char*, bool> rows[] = {
      {"*000 a g\r\n", true}, {"*000 a f\r\n", false}, {"*000g\r\n", false}, {"*008   g\r\n", false}};
  for (const auto& [record, periodical] : rows) {
    run.Kv->OutRecord.ParseText(record);
    EXPECT_EQ(IsPeriodical(run.Kv->OutRecord), periodical) << record;
  }
}

TEST(DialectFlow, WithoutConversionEveryFieldPassesUnchanged) {
  DialectRun run("*001X1\r\n*005 20200101\r\n*24510$aTitel :$bundertitel /\r\n*090  $aLokal\r\n^\r\n");
  run.Kv->ConvertToKv2 = false;
  run.Kv->ConversionLabel = "BatSorM21";
  EXPECT_EQ(run.RunToEnd(),
            "*001X1\r\n*005 20200101\r\n*24510$aTitel :$bundertitel /\r\n*090  $aLokal\r\n\r\n^\r\n");
}

class StampedRun : public ::testing::Test {
  testing::ScopedSourceDate date_; // 2023-11-14
};

std::vector<std::string> FieldsWithTag(const TMarcRec& rec, std::string_view tag) {
  std::vector<std::string> texts;
  for (const auto& f : rec.Fields)
    if (f->Tag == tag) texts.push_back(f->AsText('*', '$', false));
  return texts;
}

TEST_F(StampedRun, ConversionLabelGoesInto522) {
  DialectRun run("*24510$aTitel\r\n^\r\n");
  run.Kv->ConversionLabel = "BatSorM21";
  run.Kv->ConvertNext();
  EXPECT_EQ(FieldsWithTag(run.Kv->OutRecord, "522"),
            std::vector<std::string>{"*52200$aBatSorM21$b2023-11-14"});
}

TEST_F(StampedRun, BlankLabelAddsNo522) {
  DialectRun run("*24510$aTitel\r\n^\r\n");
  run.Kv->ConversionLabel = "  ";
  run.Kv->ConvertNext();
  EXPECT_TRUE(FieldsWithTag(run.Kv->OutRecord, "522").empty());
}

TEST_F(StampedRun, RecordWithA772GetsTwo522) {
  DialectRun run("*24510$aTitel\r\n*77200$tHuvudverk\r\n^\r\n");
  run.Kv->ConversionLabel = "BatSorM21";
  run.Kv->ConvertNext();
  EXPECT_EQ(FieldsWithTag(run.Kv->OutRecord, "522"),
            (std::vector<std::string>{"*52200$aFbM21$b2023-11-14", "*52200$aBatSorM21$b2023-11-14"}));
  EXPECT_EQ(FieldsWithTag(run.Kv->OutRecord, "779"), std::vector<std::string>{"*77900$tHuvudverk"});
}

TEST(DialectFlow, UnchangedTagsAreCarriedAndOthersDropped) {
  DialectRun run("*001X1\r\n*003SE-LIBR\r\n*005 20200101\r\n*007ta\r\n*090  $aLokal\r\n*025  $aX\r\n"
                 "*950  $aLokalt\r\n*505 0$aInneh\xe5ll /\r\n*040  $aS\r\n*040  $aT\r\n^\r\n");
  run.Kv->ConvertNext();
  const TMarcRec& out = run.Kv->OutRecord;
  std::string tags;
  for (const auto& f : out.Fields)
    tags += f->Tag + " ";
  EXPECT_EQ(tags, "000 007 008 040 040 505 950 ");
  EXPECT_EQ(FieldsWithTag(out, "007"), std::vector<std::string>{"*007ta"});
  EXPECT_EQ(FieldsWithTag(out, "505"), std::vector<std::string>{"*505 0$aInneh\xe5ll"});
}

TEST(DialectFlow, FilterLinesReachTheOutput) {
  DialectRun run("*001X\r\n*24510$aT\r\n*500  $aNot\r\n*650 7$aA\r\n^\r\n",
                 {.Filter = {"500", "", "  ", "650"}});
  run.Kv->ConvertToKv2 = false;
  EXPECT_EQ(run.RunToEnd(), "*001X\r\n*24510$aT\r\n\r\n^\r\n");
}

TEST(DialectFlow, SideFilesThatCannotBeCreatedStopTheRunAtOnce) {
  testing::TempDir dir;
  const std::string in = dir.Write("in.mrc", "*24510$aT\r\n^\r\n");
  const std::string out = dir.File("out.mrc");
  const std::string missing = dir.File("saknas/periodika.mrc");
  const std::vector<std::string> filter;
  struct TBad {
    bool Periodicals;
    std::string PeriodicalsFile;
    bool Weeded;
    std::string WeededFile;
    std::string Named;
  };
  const TBad rows[] = {
      {true, missing, false, "", missing},
      {false, "", true, missing, missing},
      {true, in, false, "", in},
      {false, "", true, out, out},
      {true, dir.File("sida.mrc"), true, dir.File("sida.mrc"), dir.File("sida.mrc")},
  };
  for (const TBad& b : rows) {
    try {
      TMrc21ToMrcKv kv(out, in, "^", filter, false, b.Periodicals, b.PeriodicalsFile, b.Weeded, b.WeededFile);
      kv.BeginOutput();
      ADD_FAILURE() << "no error for " << b.Named;
    } catch (const MarcError& e) {
      EXPECT_NE(std::string(e.what()).find(b.Named), std::string::npos) << e.what();
    }
    EXPECT_EQ(testing::ReadAll(in), "*24510$aT\r\n^\r\n"); // the input is never touched
    EXPECT_FALSE(std::filesystem::exists(out));            // nor is anything left behind
  }
}

TEST(DialectFlow, SwitchedOffSideFilesAreNotCreated) {
  DialectRun run("*24510$aT\r\n^\r\n");
  run.RunToEnd();
  EXPECT_FALSE(std::filesystem::exists(run.Dir.File("periodika.mrc")));
  EXPECT_FALSE(std::filesystem::exists(run.Dir.File("utgallrade.mrc")));
  EXPECT_EQ(run.Counts.size(), 2U);
}

} // namespace
} // namespace kelvo::sorvia_dialect
