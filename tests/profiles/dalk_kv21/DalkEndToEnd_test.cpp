// kelvokonv --profile 2 on the vendor samples of data/samples with the
// profile's switches, compared byte for byte with the expected files of
// tests/data/vendor: the main output and "flerband.txt". Then the field rules
// the same way, on small records written here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Kelvokonv.h"
#include "support/TempDir.h"

namespace kelvo::dalk_kv21 {
namespace {

const std::string SampleDir = std::string(KELVO_SOURCE_DIR) + "/data/samples/";
const std::string ExpectedDir = std::string(KELVO_SOURCE_DIR) + "/tests/data/vendor/";

struct TVendorRun {
  const char* Name;
  const char* Input;    // in data/samples
  const char* Switches; // of kelvokonv
  const char* Expected; // in tests/data/vendor
  const char* ExpectedMultiVolume;
};

const TVendorRun kVendorRuns[] = {
    {"one pass, translated", "dalkii-poster.mrc", "", "poster.expected.mrc", "poster.flerband.expected.txt"},
    {"untranslated", "dalkii-poster.mrc", "--no-diacritics", "poster-raw.expected.mrc",
     "poster.flerband.expected.txt"},
    {"two passes", "dalkii-poster.mrc", "--only-improper-parts", "poster-improper.expected.mrc",
     "empty.expected.txt"},
    {"proper works kept", "dalkii-poster.mrc", "--no-separate-proper-works", "poster-together.expected.mrc",
     "empty.expected.txt"},
    {"ISO 2709 with $ sequences", "dalkii-iso2709.mrc", "", "iso2709.expected.mrc", "empty.expected.txt"},
    {"ISO 2709 untranslated", "dalkii-iso2709.mrc", "--no-diacritics", "iso2709-raw.expected.mrc",
     "empty.expected.txt"},
};

class VendorRun : public ::testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::exists(KELVOKONV_PATH)) GTEST_SKIP() << "kelvokonv saknas: " << KELVOKONV_PATH;
    dir.Write("kelvokonv.ini", ""); // every setting at its default
  }

  // kelvokonv on input into out.mrc of the temporary folder; switches are
  // separated by blanks.
  testing::TKelvokonvResult Run(const std::string& input, const std::string& switches) {
    std::vector<std::string> args{"--quiet",    "--profile", "2", "--ini", dir.File("kelvokonv.ini"),
                                  "--data-dir", SampleDir};
    for (std::size_t at = 0; at < switches.size();) {
      const std::size_t end = std::min(switches.find(' ', at), switches.size());
      if (end > at) args.push_back(switches.substr(at, end - at));
      at = end + 1;
    }
    args.insert(args.end(), {input, dir.File("out.mrc")});
    return testing::RunKelvokonv({.Args = args, .Env = {"SOURCE_DATE_EPOCH=1700000000"}});
  }

  testing::TempDir dir;
};

class DalkEndToEnd : public VendorRun, public ::testing::WithParamInterface<TVendorRun> {};

TEST_P(DalkEndToEnd, GivesTheExpectedFiles) {
  const TVendorRun& run = GetParam();
  for (const std::string jobs : {"1", "2"}) { // 2: read ahead on a second thread
    SCOPED_TRACE("--jobs " + jobs);
    const testing::TKelvokonvResult r = Run(SampleDir + run.Input, "--jobs " + jobs + " " + run.Switches);
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(testing::ReadAll(dir.File("out.mrc")), testing::ReadAll(ExpectedDir + run.Expected));
    EXPECT_EQ(testing::ReadAll(dir.File("flerband.txt")),
              testing::ReadAll(ExpectedDir + run.ExpectedMultiVolume));
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, DalkEndToEnd, ::testing::ValuesIn(kVendorRuns),
                         [](const ::testing::TestParamInfo<TVendorRun>& info) {
                           std::string name;
                           for (const char* c = info.param.Name; *c; ++c)
                             name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                           return name;
                         });

struct TRuleRun {
  const char* Name;
  // Field lines of one record; the usual leader and 001 go first unless the
  // record has its own.
  std::vector<std::string> Input;
  const char* Switches; // besides --no-subfield-lines
  // The record's lines besides the usual ones (those of a tag listed here are
  // left out); empty: the record is not written.
  std::vector<std::string> Expected;
};

// What every written record of a "nam" leader and 001 "ABC1234567" carries.
const std::vector<std::string> UsualLines{"*00000000na   22      a 45  ", "*0011234567",
                                          "*008                                 0", "*02961$a1234567",
                                          "*59200$aDALKKONV$b2023-11-14"};

std::string Tag(const std::string& line) { return line.substr(1, 3); }

bool HasTag(const std::vector<std::string>& lines, const std::string& tag) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return Tag(l) == tag; });
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

std::string InputText(std::vector<std::string> lines) {
  if (!HasTag(lines, "001")) lines.insert(lines.begin(), "*001ABC1234567");
  if (!HasTag(lines, "000")) lines.insert(lines.begin(), "*00000000nam a2200000 a 4500");
  return Lines(lines) + "^\r\n";
}

// The written record: the row's lines and the usual ones in tag order, each
// line ended, then the record separator.
std::string ExpectedText(std::vector<std::string> lines) {
  if (lines.empty()) return {};
  for (const std::string& usual : UsualLines)
    if (!HasTag(lines, Tag(usual))) lines.push_back(usual);
  std::stable_sort(lines.begin(), lines.end(),
                   [](const std::string& a, const std::string& b) { return Tag(a) < Tag(b); });
  return Lines(lines) + "\r\n^\r\n";
}

const TRuleRun kRuleRuns[] = {
    {"a 245 without subfields is no title", {"*24510$fX"}, "", {}},
    {"only the 245 with subfields", {"*24510$fX", "*24510$aTitle"}, "", {"*24500$aTitle"}},
    {"the part title is the first 245 added",
     {"*00000000nad a2200000 a 4500", "*24510$fX", "*24510$aTitle$nDel 1$nvol 1"},
     "--no-separate-proper-works",
     {"*00000000nam  22      a 45  ", "*29500$aTitle$nDel 1"}},
    {"added entries of a relator code alone",
     {"*24510$aT", "*70013$xX", "*71102$zZ", "*71024$zZ"},
     "",
     {"*24500$aT", "*7001 $4ill", "*7102 $4trl", "*7110 $4pbl"}},
    {"t and u are never the subfield e joins",
     {"*24510$aT", "*7101 $cC$tT$eE", "*7111 $cC$uU$eE", "*9101 $cC$uU$eE", "*9111 $cC$tT$eE"},
     "",
     {"*24500$aT", "*7101 $bC, E$tT", "*7111 $eC, E$tU", "*9101k$bC, E$uU", "*911 k$eC, E$tT"}},
    {"a blank 260 $i keeps its brackets",
     {"*24510$aT", "*260  $aS$i $cC"},
     "",
     {"*24500$aT", "*260  $aS$cC$i[ ]"}},
    {"the same untranslated",
     {"*24510$aT", "*260  $aS$i $cC"},
     "--no-diacritics",
     {"*24500$aT", "*260  $aS$cC$i< >"}},
    {"084 keeps blank pieces", {"*24510$aT", "*08100$aA$n $l $sS"}, "", {"*08400$aA  ( )/S", "*24500$aT"}},
    {"only the first 001, as a control field",
     {"*001ABC1234567", "*001XYZ7654321", "*24510$aT"},
     "",
     {"*24500$aT"}},
    {"650 looks at its first $2",
     {"*24510$aT", "*650  $aA$2other$2NLMSH", "*650  $aB$2NLMSH$2other"},
     "",
     {"*24500$aT", "*650  $aA$2other$2NLMSH", "*660  $aB"}},
    {"440 a, every b, every e",
     {"*24510$aT", "*440 0$aA$bB1$eE$bB2"},
     "",
     {"*24500$aT", "*440 0$aA : B1 : B2 / E"}},
    {"440 blank b and e", {"*24510$aT", "*440 0$aA$b $eE"}, "", {"*24500$aT", "*440 0$aA  / E"}},
    {"249 blank e and p", {"*24510$aT", "*24410$aA$e $p $gG"}, "", {"*24500$aT", "*24910$aA  ( )$pG"}},
    {"245 $n of a comma alone", {"*24510$aT$n,"}, "", {"*24500$aT"}},
    {"245 blank statement of a part title", {"*24510$aT$cC$pP / \t /"}, "", {"*24500$aT$cC\t$pP"}},
    {"246 blank d", {"*24510$aT", "*24610$aA$bB$d $nN"}, "", {"*24500$aT", "*24610$aA$bB $fN"}},
    {"255 and 256 blank b",
     {"*24510$aT", "*256  $aA$b $bB", "*257  $aA$b $bB"},
     "",
     {"*24500$aT", "*255  $aA  ; B", "*256  $aA  B"}},
    {"300 blank e", {"*24510$aT", "*300  $aA$dD$e $eE"}, "", {"*24500$aT", "*300  $aA$eD , E"}},
    {"930 blank e", {"*24510$aT", "*940  $aA$e1$e $f2"}, "", {"*24500$aT", "*930 k$aA$n1 , 2"}},
    {"joins leave out blank values",
     {"*24510$aT", "*08100$nN$i $fF$lL", "*630  $aA$n1$n $n2"},
     "",
     {"*24500$aT", "*600  $aN$cF L", "*630  $aA$n1, 2"}},
};

using DalkRulesEndToEnd = VendorRun;

TEST_F(DalkRulesEndToEnd, WritesEachRecordAsTheRulesSay) {
  for (const TRuleRun& run : kRuleRuns) {
    SCOPED_TRACE(run.Name);
    const std::string input = dir.Write("in.mrc", InputText(run.Input));
    const testing::TKelvokonvResult r = Run(input, std::string("--no-subfield-lines ") + run.Switches);
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(testing::ReadAll(dir.File("out.mrc")), ExpectedText(run.Expected));
  }
}

} // namespace
} // namespace kelvo::dalk_kv21
