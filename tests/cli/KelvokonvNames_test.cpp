// File names as kelvokonv takes them (the system's bytes, from the command
// line, the batch argument and the settings file), the batch argument as
// only itself, and the summary that accounts for every record read.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/Kelvokonv.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TKelvokonvResult;
using testing::TProgramDir;

const std::string Samples = std::string(KELVO_SOURCE_DIR) + "/data/samples/";
const std::string Ol = "\xc3\xb6lbok.mrc"; // UTF-8 names
const std::string Utgava = "utg\xc3\xa5va.mrc";
const std::string Data = "data\xe4\xb8\xad.mrc";

class KelvokonvNames : public ::testing::Test {
protected:
  KelvokonvNames() {
    dir.Write(Ol, "*24510$a\xd6lbok\r\n^\r\n");
    dir.Write("annan.mrc", "*24510$aAnnan bok\r\n^\r\n");
  }
  TKelvokonvResult Run(const std::vector<std::string>& args) { return dir.Run({.Args = args}); }
  TProgramDir dir;
};

TEST_F(KelvokonvNames, NationalLettersOpenAndCreateExactlyThoseNames) {
  dir.Write("kelvokonv.ini", "[diverse]\r\nprofil=1\r\n");
  const TKelvokonvResult named = Run({"--weeded", Data, Ol, Utgava});
  ASSERT_EQ(named.Status, 0) << named.Err;
  EXPECT_NE(ReadAll(dir.File(Utgava)).find("\xd6lbok"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir.File(Data)));
  EXPECT_NE(named.Err.find("(" + Utgava + ")"), std::string::npos) << named.Err; // shown as they are
  EXPECT_NE(named.Err.find("(" + Data + ")"), std::string::npos) << named.Err;

  const TKelvokonvResult batch = Run({"/bat/in=" + Ol + "/ut=b" + Utgava + "/iso=0"});
  ASSERT_EQ(batch.Status, 0) << batch.Err;
  EXPECT_EQ(ReadAll(dir.File("b" + Utgava)), ReadAll(dir.File(Utgava)));

  const TKelvokonvResult missing = Run({"saknad-" + Ol, Utgava});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find("infilen finns inte: saknad-" + Ol), std::string::npos) << missing.Err;
}

TEST_F(KelvokonvNames, SettingsWithCodePage1252NamesFindTheFiles) {
  dir.Write("kelvokonv.ini",
            "[diverse]\r\nprofil=1\r\n[filer]\r\ninfil=\xf6lbok.mrc\r\nutfil=utg\xe5va.mrc\r\n");
  const TKelvokonvResult r = Run({});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(ReadAll(dir.File(Utgava)).find("\xd6lbok"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir.File("utg\xe5va.mrc")));
}

TEST_F(KelvokonvNames, APathHoldingBatIsAFileName) {
  dir.Write("kelvokonv.ini", "[diverse]\r\nprofil=1\r\n[filer]\r\ninfil=annan.mrc\r\nutfil=ut.mrc\r\n");
  for (const char* folder : {"bat", "batches"}) {
    fs::create_directory(dir.File(folder));
    const std::string in = dir.File(std::string(folder) + "/leverans.mrc");
    fs::copy_file(dir.File(Ol), in);
    const TKelvokonvResult r = Run({in});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(ReadAll(dir.File("ut.mrc")).find("\xd6lbok"), std::string::npos) << in; // not "annan.mrc"
  }
}

// The summary's destinations: label -> count, and the line "Lästa poster".
struct TSummary {
  long long Read = -1;
  std::vector<std::pair<std::string, long long>> Destinations;
};

TSummary ParseSummary(const std::string& err) {
  TSummary summary;
  std::istringstream lines(err);
  for (std::string line; std::getline(lines, line);) {
    const auto colon = line.rfind(": ", line.find(" ("));
    if (line.starts_with("L\xc3\xa4sta poster: ")) summary.Read = std::stoll(line.substr(colon + 2));
    if (line.starts_with("  "))
      summary.Destinations.emplace_back(line.substr(2, colon - 2), std::stoll(line.substr(colon + 2)));
  }
  return summary;
}

TEST_F(KelvokonvNames, EverySummaryAccountsForEveryRecordWithTheSameLabels) {
  dir.Write("kelvokonv.ini", "");
  dir.Write("sorvia.mrc", ReadAll(Samples + "sorvia-marc21.mrc") + "skr\xe4p utan f\xe4lt\r\n^\r\n");
  dir.Write("dalk.mrc", ReadAll(Samples + "dalkii-poster.mrc") + "skr\xe4p utan f\xe4lt\r\n^\r\n");
  const std::set<std::string> labels{"Utfil", "Periodika", "Utgallrade", "Flerbandsverk", "Ej skrivna"};
  const struct {
    int Profile;
    const char* In;
    long long Records;
  } runs[] = {{0, "sorvia.mrc", 6}, {1, "sorvia.mrc", 6}, {2, "dalk.mrc", 7}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.Profile);
    const TKelvokonvResult r = Run({"-p", std::to_string(run.Profile), "--data-dir", Samples, "--periodicals",
                                    "p.mrc", "--weeded", "g.mrc", run.In, "ut.mrc"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const TSummary summary = ParseSummary(r.Err);
    EXPECT_EQ(summary.Read, run.Records) << r.Err;
    long long sum = 0;
    for (const auto& [label, count] : summary.Destinations) {
      EXPECT_TRUE(labels.count(label)) << label;
      sum += count;
    }
    EXPECT_EQ(sum, summary.Read) << r.Err;
  }
}

} // namespace
} // namespace kelvo
