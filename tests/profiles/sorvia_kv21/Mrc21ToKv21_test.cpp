// The record flow of profile 1: decoding, conversion switch, stamp, sort and
// the routing to the output, the side files or nowhere.
#include "profiles/sorvia_kv21/Mrc21ToKv21.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "profiles/sorvia_kv21/Kv21TestSupport.h"
#include "record/MarcError.h"
#include "support/IsoRecord.h"

namespace kelvo::sorvia_kv21 {
namespace {

using kv21test::Lines;
using kv21test::RunKv21;
using testing::IsoRecord;

const std::string kSep = "\r\n^\r\n";

enum class TDest { Main, Periodicals, Weeded, Nowhere };

struct TRecordSpec {
  char Level;       // leader position 07
  std::string Copy; // 852 $i
  std::string Title = "*24510$aT";
};

struct TRouteCase {
  const char* Name;
  bool Periodicals;
  bool Weeded;
  TRecordSpec Record;
  TDest Expected;
};

// The record as input, and as written: a weeded copy also gets its 009.
std::string RecordText(const TRecordSpec& spec, bool written) {
  const std::string leader = "*00000000na" + std::string(1, spec.Level) + "  2200000 a 4500";
  const bool scrapped = written && spec.Copy != "Hylla" && spec.Copy != "Utgallrad";
  return Lines({leader}) +
         (scrapped ? Lines({std::string("*00900$xSCRAPPED$y") + testing::kStampDate}) : "") +
         Lines({spec.Title, "*852  $i" + spec.Copy});
}

TEST(Kv21Routing, EachRecordGoesToOnePlace) {
  const std::vector<TRouteCase> cases = {
      {"no side files", false, false, {'s', "Gallr"}, TDest::Main},
      {"weeded periodical", true, true, {'s', "Gallr"}, TDest::Weeded},
      {"case does not matter", true, true, {'s', "gallr"}, TDest::Weeded},
      {"whole values only", true, true, {'s', "Utgallrad"}, TDest::Periodicals},
      {"weeded, periodicals only", true, false, {'s', "Gallr"}, TDest::Periodicals},
      {"periodical, weeded only", false, true, {'s', "Hylla"}, TDest::Main},
      {"plain book", true, true, {'m', "Hylla"}, TDest::Main},
      {"295 is a title too", true, true, {'m', "Hylla", "*29500$aT"}, TDest::Main},
      {"no title", false, false, {'m', "Hylla", "*24600$aT"}, TDest::Nowhere},
      {"weeded without title", true, true, {'m', "U", "*24600$aT"}, TDest::Nowhere},
      {"periodical without title", true, true, {'s', "Hylla", "*24600$aT"}, TDest::Nowhere},
  };
  for (const TRouteCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto result =
        RunKv21(RecordText(c.Record, false) + "^\r\n", {.Periodicals = c.Periodicals, .Weeded = c.Weeded});
    const std::string written = RecordText(c.Record, true) + kSep;
    EXPECT_EQ(result.Main, c.Expected == TDest::Main ? written : "");
    EXPECT_EQ(result.Periodicals, c.Expected == TDest::Periodicals ? written : "");
    EXPECT_EQ(result.Weeded, c.Expected == TDest::Weeded ? written : "");

    // Output file, the side files asked for, written nowhere.
    std::vector<std::pair<std::string, std::int64_t>> counts;
    for (const TRunCount& count : result.Counts)
      counts.emplace_back(count.Label, count.Count);
    std::vector<std::pair<std::string, std::int64_t>> expected = {{"Utfil", c.Expected == TDest::Main}};
    if (c.Periodicals) expected.emplace_back("Periodika", c.Expected == TDest::Periodicals);
    if (c.Weeded) expected.emplace_back("Utgallrade", c.Expected == TDest::Weeded);
    expected.emplace_back("Ej skrivna", c.Expected == TDest::Nowhere);
    EXPECT_EQ(counts, expected);
  }
}

TEST(Kv21Routing, SideFilesAreWrittenLikeTheOutput) {
  const std::string record =
      Lines({"*00000000nas  2200000 a 4500", "*24510$a T $cX", "*24510$aT $cX", "*650 7$aY"});
  const auto result =
      RunKv21(record, {.Periodicals = true, .FilterLines = {"650"}, .Configure = [](auto& konv) {
                         konv.RemoveDuplicateLines = true;
                         konv.SubfieldLines = true;
                       }});
  EXPECT_EQ(result.Periodicals, "*00000000nas  2200000 a 4500\r\n*24510$aT\r\n$cX" + kSep);
}

TEST(Kv21SideFiles, AreEmptiedWhenTheRunBegins) {
  const testing::ScopedSourceDate today;
  testing::TempDir dir;
  const std::string in = dir.Write("in.mrc", Lines({"*24510$aT"}));
  const std::string periodicals = dir.Write("periodika.mrc", "old content");
  const std::string weeded = dir.Write("utgallrade.mrc", "old content");
  {
    TMrc21ToKv21 konv(dir.File("out.mrc"), in, "^", {}, false, true, periodicals, true, weeded);
    EXPECT_EQ(testing::ReadAll(periodicals), "old content"); // until every file of the run is open
    konv.ConvertNext();
    EXPECT_EQ(testing::ReadAll(weeded), "");
    EXPECT_TRUE(konv.EndOfInput);
  }
  EXPECT_EQ(testing::ReadAll(periodicals), "");
  EXPECT_EQ(testing::ReadAll(dir.File("out.mrc")), Lines({"*24510$aT"}) + kSep);
}

TEST(Kv21SideFiles, OneThatCannotBeCreatedStopsTheRunBeforeItStarts) {
  testing::TempDir dir;
  const std::string in = dir.Write("in.mrc", Lines({"*24510$aT"}));
  const std::string missing = dir.File("no-such-folder/periodika.mrc");
  for (bool periodicals : {true, false}) {
    try {
      TMrc21ToKv21 konv(dir.File("out.mrc"), in, "^", {}, false, periodicals, missing, !periodicals, missing);
      ADD_FAILURE() << "no error for " << missing;
    } catch (const MarcError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Kan inte skapa filen f\xf6r ") +
                                           (periodicals ? "periodika " : "utgallrade poster ") + missing);
    }
  }
}

TEST(Kv21SideFiles, AFailedWriteIsReported) {
  const std::string full = "/dev/full"; // accepts the file, refuses the data
  if (!std::filesystem::exists(full)) GTEST_SKIP() << "no " << full;
  testing::TempDir dir;
  const std::string in = dir.Write("in.mrc", Lines({"*00000000nas  2200000 a 4500", "*24510$aT"}));
  TMrc21ToKv21 konv(dir.File("out.mrc"), in, "^", {}, false, true, full, false, "");
  try {
    konv.ConvertNext();
    konv.CloseOutput();
    ADD_FAILURE() << "the lost periodical went unnoticed";
  } catch (const MarcError& e) {
    EXPECT_EQ(std::string(e.what()), "Kan inte skriva till filen f\xf6r periodika " + full);
  }
}

TEST(Kv21Flow, StampAndSort) {
  const std::string input = Lines({"*24510$aT", "*001A1", "*100  $aN"});
  const auto stamped = RunKv21(input, {.Configure = [](auto& konv) { konv.ConversionLabel = "BatSorKV21"; }});
  EXPECT_EQ(stamped.Main, Lines({"*001A1", "*035  $a(Voyager)A1$xA1", "*100  $aN", "*24510$aT",
                                 std::string("*59200$aBatSorKV21$b") + testing::kStampDate}) +
                              kSep);
  const auto blankLabel = RunKv21(input, {.Configure = [](auto& konv) { konv.ConversionLabel = " "; }});
  EXPECT_EQ(blankLabel.Main, Lines({"*001A1", "*035  $a(Voyager)A1$xA1", "*100  $aN", "*24510$aT"}) + kSep);
}

TEST(Kv21Flow, WithoutConversionRecordsPassUnchanged) {
  const auto noConvert = [](TMrc21ToKv21& konv) {
    konv.ConvertToKv2 = false;
    konv.ConversionLabel = "BatSorKV21";
  };
  // Line format keeps the input order.
  const std::string lines = Lines({"*24510$aDikter.$h[Ljud]", "*001A1", "*020  $a91-7119-123-4 :"});
  EXPECT_EQ(RunKv21(lines, {.Configure = noConvert}).Main, lines + kSep);

  // ISO 2709 comes sorted by tag, the leader as "000".
  const std::string iso = IsoRecord("00000nam a2200000 a 4500", {{"245", "10\x1f"
                                                                         "aDikter."},
                                                                 {"001", "A1"},
                                                                 {"100", "1 \x1f"
                                                                         "aBerg, Anna"}});
  EXPECT_EQ(RunKv21(iso, {.Iso = true, .Configure = noConvert}).Main,
            Lines({"*000" + iso.substr(0, 24), "*001A1", "*1001 $aBerg, Anna", "*24510$aDikter."}) + kSep);
}

TEST(Kv21Flow, IsoInputIsConvertedLikeLineFormat) {
  const std::string iso = IsoRecord("00000nam a2200000 a 4500", {{"245", "10\x1f"
                                                                         "aDikter /\x1f"
                                                                         "cAnna Berg."},
                                                                 {"001", "A1"}}) +
                          IsoRecord("00000cam a2200000 a 4500", {{"001", "A2"},
                                                                 {"020", "  \x1f"
                                                                         "a91-7119-123-4 (inb.)"}});
  const auto result = RunKv21(iso, {.Iso = true});
  // The second record has no title and goes nowhere.
  EXPECT_EQ(result.Main, Lines({"*000" + iso.substr(0, 24), "*001A1", "*035  $a(Voyager)A1$xA1",
                                "*24510$aDikter$cAnna Berg."}) +
                             kSep);
  EXPECT_EQ(result.Counts.back().Count, 1);
}

TEST(Kv21Flow, TheEmptyPieceAfterTheLastSeparatorIsNoRecord) {
  const auto result = RunKv21(Lines({"*24510$aA"}) + "^\r\n" + Lines({"*24510$aB"}) + "^\r\n");
  EXPECT_EQ(result.Main, Lines({"*24510$aA"}) + kSep + Lines({"*24510$aB"}) + kSep);
  EXPECT_EQ(result.Counts.front().Count, 2);
  EXPECT_EQ(result.Counts.back().Count, 0);
}

} // namespace
} // namespace kelvo::sorvia_kv21
