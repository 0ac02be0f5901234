// The report of a run: a line for every record not written, through the real
// converters, the replaced characters, and a report that cannot be written.
#include "app/RunReport.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "profiles/dalk_kv21/DalkIIToKv21.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "profiles/dalk_kv21/dalk_records.h"
#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "record/MarcError.h"
#include "support/IsoRecord.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::DalkHead;
using testing::DalkPart;
using testing::DalkPlain;
using testing::TempDir;

const std::vector<std::string> NoFilter;

// Converts the whole input with the report told of every record and
// replacement, writes the report and returns its lines after the header and
// the blank line below it.
std::vector<std::string> ReportLines(TKonvSimple& konv, const std::string& reportFile) {
  TRunReport report(reportFile);
  konv.OnRecord = [&](const TRecordOutcome& o) { report.Record(o); };
  konv.OnReplaced = [&](std::int64_t n, std::string_view id, const TReplacedChar& r) {
    report.Replaced(n, id, r);
  };
  while (!konv.EndOfInput)
    konv.ConvertNext();
  konv.CloseOutput();
  report.Write();
  EXPECT_FALSE(std::filesystem::exists(reportFile + ".tmp"));
  const std::string text = testing::ReadAll(reportFile);
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(lines.at(0),
            "Rapport fr\xe5n Kelvo konvertering: poster som inte skrevs och tecken som ersattes");
  EXPECT_EQ(lines.at(1), "");
  return {lines.begin() + 2, lines.end()};
}

constexpr const char* NotWrittenHeading = "Poster som inte skrevs (nummer i infilen, 001, titel, orsak):";

struct TReasonCase {
  const char* Name;
  std::function<std::unique_ptr<TKonvSimple>(const TempDir&)> Open;
  std::vector<std::string> Lines;
};

std::unique_ptr<TKonvSimple> VendorRun(const TempDir& dir, const std::string& input, bool onlyImproperHeads) {
  static dalk_kv21::TLocalAdaptation adaptation;
  adaptation.LoadFromMemory("<root><oegentligaflerbandsverk><objekttyper><t>KA</t></objekttyper>"
                            "</oegentligaflerbandsverk></root>",
                            "LokalAnpassTrux.xml");
  auto konv = std::make_unique<dalk_kv21::TDalkIIToKv21>(dir.File("ut.mrc"), dir.Write("in.mrc", input), "^",
                                                         NoFilter, false, false, "", false, "");
  konv->SetLocalAdaptation(adaptation);
  konv->OnlyImproperHeads = onlyImproperHeads;
  konv->OpenMultiVolumeFile(dir.File("flerband.txt"));
  return konv;
}

TEST(RunReport, EveryRecordNotWrittenIsALineWithItsNumberIdTitleAndReason) {
  const std::string longTitle = std::string(58, 'x') + "\xe5\xe4\xf6 och mer";
  const TReasonCase cases[] = {
      {"NoTitleAndTooLong",
       [](const TempDir& dir) {
         auto konv = std::make_unique<sorvia_dialect::TMrc21ToMrcKv>(
             dir.File("ut.mrc"),
             dir.Write("in.mrc", "*001 A\r\n*24510$aVanlig\r\n^\r\n*001 N\r\n*500  $aIngen titel\r\n^\r\n"
                                 "*001 L\r\n*24510$a" +
                                     std::string(100, 'x') + "\r\n^\r\n"),
             "^", NoFilter, false, false, "", false, "");
         konv->Reader.MaxRecordLength = 90;
         return konv;
       },
       {NotWrittenHeading, "2\tN\t\tSaknar titel (245/295)", "3\t\t\tF\xf6r l\xe5ng post"}},
      {"IncompleteLast",
       [](const TempDir& dir) {
         const std::string cut = testing::IsoRecord("00000nam a2200000   4500", {{"001", "K"},
                                                                                 {"500", "  \x1f"
                                                                                         "aText"}});
         return std::make_unique<sorvia_dialect::TMrc21ToMrcKv>(
             dir.File("ut.mrc"), dir.Write("in.iso", cut.substr(0, cut.size() - 6)), "\x1d", NoFilter, true,
             false, "", false, "");
       },
       {NotWrittenHeading, "1\tK\t\tOfullst\xe4ndig sista post"}},
      {"VendorParts",
       [&](const TempDir& dir) {
         return VendorRun(dir,
                          DalkHead("2100001", "Oegentlig") + DalkPart("2100002", longTitle, "2100001") +
                              DalkPlain("2300001", "") + "xy\r\n^\r\n",
                          false);
       },
       {NotWrittenHeading,
        "2\tDLK210000200\t" + longTitle.substr(0, 60) +
            "\tDel av oegentligt flerbandsverk (numret st\xe5r i huvudposten)",
        "3\tDLK230000100\t\tSaknar titel (245/295)", "4\t\t\tOl\xe4sbar post"}},
      {"OnlyImproperHeads",
       [](const TempDir& dir) { return VendorRun(dir, DalkPlain("2400001", "Vanlig"), true); },
       {NotWrittenHeading, "1\tDLK240000100\tVanlig\tInte huvudpost f\xf6r oegentligt flerbandsverk"}},
  };
  for (const TReasonCase& c : cases) {
    TempDir dir;
    auto konv = c.Open(dir);
    EXPECT_EQ(ReportLines(*konv, dir.File("rapport.txt")), c.Lines) << c.Name;
  }
}

TEST(RunReport, ListsEveryReplacedCharacterUpToItsLimit) {
  TempDir dir;
  std::string strokes;
  for (std::size_t i = 0; i <= TRunReport::MaxReplacements; ++i)
    strokes += "\xc5\x82"; // U+0142 in UTF-8
  sorvia_dialect::TMrc21ToMrcKv konv(dir.File("ut.mrc"),
                                     dir.Write("in.mrc", "*001 R1\r\n*24510$a\xc5\x81\xc3\xb3"
                                                         "d\xc5\xba\r\n^\r\n"
                                                         "*001 R2\r\n*24510$a" +
                                                             strokes + "\r\n^\r\n"),
                                     "^", NoFilter, false, false, "", false, "");
  konv.SetCharset(TCharset::Utf8);
  const std::vector<std::string> lines = ReportLines(konv, dir.File("rapport.txt"));
  ASSERT_EQ(lines.size(), 2 + TRunReport::MaxReplacements);
  EXPECT_EQ(lines[0], "Tecken som ersatts (nummer i infilen, 001, tecknet och vad det blev):");
  EXPECT_EQ(lines[1], "1\tR1\tU+0141 LATIN CAPITAL LETTER L WITH STROKE ersattes med \"L\"");
  EXPECT_EQ(lines[2], "1\tR1\tU+017A LATIN SMALL LETTER Z WITH ACUTE ersattes med \"z\"");
  EXPECT_EQ(lines[3], "2\tR2\tU+0142 LATIN SMALL LETTER L WITH STROKE ersattes med \"l\"");
  // Two in the first record and MaxReplacements + 1 in the second: three are not listed.
  EXPECT_EQ(lines.back(), "... och 3 tecken till, som inte listas h\xe4r");
}

TEST(RunReport, AReportThatCannotBeWrittenNamesItsFileAndLeavesNothing) {
  TempDir dir;
  // A folder that does not exist, and a full device (written straight: it
  // stays the device, no file is renamed over it).
  for (const std::string& target : {dir.File("saknas/rapport.txt"), std::string("/dev/full")}) {
    TRunReport report(target);
    report.Record({1, "X", "", {TDestination::NotWritten, reason::NoTitle}});
    EXPECT_TRUE(report.HasEntries());
    try {
      report.Write();
      ADD_FAILURE() << "no error for " << target;
    } catch (const MarcError& e) {
      EXPECT_EQ(std::string(e.what()), "Kan inte skriva rapportfilen " + target);
    }
  }
  EXPECT_FALSE(std::filesystem::is_regular_file("/dev/full"));
  {
    TRunReport dropped(dir.File("rapport.txt")); // destroyed without Write
    dropped.Record({1, "X", "", {TDestination::NotWritten, reason::NoTitle}});
    EXPECT_TRUE(std::filesystem::exists(dir.File("rapport.txt.tmp")));
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.File("")));
}

} // namespace
} // namespace kelvo
