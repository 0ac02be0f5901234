// The files a kelvokonv run writes: standard output, refused name clashes,
// the multi-volume file, write failures and signals. Whatever happens, no
// existing file is lost and every file written ends on a whole record.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <string>
#include <sys/mount.h>
#include <vector>

#include "record/vostr.h"
#include "support/Kelvokonv.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TKelvokonvResult;
using testing::TProgramDir;

const std::string Samples = std::string(KELVO_SOURCE_DIR) + "/data/samples/";
const std::string VendorExpected = std::string(KELVO_SOURCE_DIR) + "/tests/data/vendor/";
const std::string Sep = "\r\n^\r\n";

std::string Repeated(const std::string& file, int times) {
  const std::string text = ReadAll(file);
  std::string all;
  for (int i = 0; i < times; ++i)
    all += text;
  return all;
}

// Every file of a folder (not below it) and its bytes, but the program.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_directory() && name != "kelvokonv") files[name] = ReadAll(entry.path().string());
  }
  return files;
}

// Every file of records in the folder ends on a whole record.
void ExpectWholeRecords(const std::string& folder) {
  for (const auto& [name, text] : Snapshot(folder)) {
    if (!name.ends_with(".mrc") && !name.ends_with(".txt")) continue;
    EXPECT_TRUE(text.empty() || EndsWith(text, Sep)) << name << " ends in " << text.substr(text.size() / 2);
  }
}

std::size_t RecordsIn(const std::string& text) {
  std::size_t n = 0;
  for (auto at = text.find(Sep); at != std::string::npos; at = text.find(Sep, at + 1))
    ++n;
  return n;
}

// A program folder with the samples: "sorvia.mrc" (profiles 0 and 1, line
// format) and "dalk.mrc" (profile 2), repeated as a test needs, an empty
// settings file beside the program, and the data folder is the folder.
class KelvokonvFiles : public ::testing::Test {
protected:
  void Prepare(int repeats) {
    dir.Write("sorvia.mrc", Repeated(Samples + "sorvia-marc21.mrc", repeats));
    dir.Write("dalk.mrc", Repeated(Samples + "dalkii-poster.mrc", repeats));
    dir.Write("kelvokonv.ini", "");
  }
  // Runs with a fixed date; "IN" stands for the profile's sample.
  TKelvokonvResult Run(int profile, std::vector<std::string> args, int signal = 0,
                       const std::string& signalWhenWritten = "") {
    for (std::string& a : args)
      if (a == "IN") a = profile == 2 ? "dalk.mrc" : "sorvia.mrc";
    args.insert(args.begin(), {"-p", std::to_string(profile)});
    return dir.Run(
        {.Args = args, .Env = {"SOURCE_DATE_EPOCH=1700000000"}, .Signal = signal, .SignalWhen = [&] {
           std::error_code ec;
           return fs::file_size(dir.File(signalWhenWritten), ec) > 0 && !ec;
         }});
  }
  TProgramDir dir;
};

TEST_F(KelvokonvFiles, DashWritesStandardOutputAndTheSummaryStaysOnStandardError) {
  Prepare(1);
  for (int profile : {0, 1}) {
    const TKelvokonvResult named = Run(profile, {"IN", "ut.mrc"});
    const TKelvokonvResult dash = Run(profile, {"IN", "-"});
    ASSERT_EQ(dash.Status, 0) << dash.Err;
    EXPECT_EQ(dash.Out, ReadAll(dir.File("ut.mrc"))) << profile;
    EXPECT_NE(dash.Err.find("Utfil: "), std::string::npos) << dash.Err;
    EXPECT_EQ(named.Out, "");
  }
  // Profile 2 needs a place for its multi-volume file then.
  const TKelvokonvResult dash = Run(2, {"--data-dir", Samples, "--multi-volume", "fb.txt", "IN", "-"});
  ASSERT_EQ(dash.Status, 0) << dash.Err;
  EXPECT_EQ(dash.Out, ReadAll(VendorExpected + "poster.expected.mrc"));
  EXPECT_EQ(ReadAll(dir.File("fb.txt")), ReadAll(VendorExpected + "poster.flerband.expected.txt"));
}

TEST_F(KelvokonvFiles, TheMultiVolumeFileIsNeverPutIntoADeviceFolder) {
  Prepare(1);
  for (const char* out : {"-", "/dev/null"}) {
    for (const char* pass : {"--no-diacritics", "--only-improper-parts"}) {
      const TKelvokonvResult r = Run(2, {pass, "IN", out});
      EXPECT_EQ(r.Status, 1) << out;
      EXPECT_NE(r.Err.find("--multi-volume"), std::string::npos) << r.Err;
    }
  }
  EXPECT_FALSE(fs::exists(dir.File("flerband.txt")));
  EXPECT_FALSE(fs::exists("/dev/flerband.txt"));
}

struct TClash {
  const char* Name;
  int Profile;
  std::vector<std::string> Args;
};

class KelvokonvClashes : public KelvokonvFiles, public ::testing::WithParamInterface<TClash> {};

TEST_P(KelvokonvClashes, AreRefusedBeforeAnyFileChanges) {
  Prepare(1);
  dir.Write("old.mrc", "earlier run\r\n^\r\n");
  dir.Write("filter.txt", "650\r\n");
  dir.Write("LokalAnpassTrux.xml", ReadAll(Samples + "LokalAnpassTrux.xml"));
  fs::create_hard_link(dir.File("sorvia.mrc"), dir.File("hard.mrc"));
  fs::create_symlink(dir.File("dalk.mrc"), dir.File("sym.mrc"));
  fs::create_symlink(dir.File("old.mrc"), dir.File("sym-old.mrc"));
  const auto before = Snapshot(dir.File(""));
  const TKelvokonvResult r = Run(GetParam().Profile, GetParam().Args);
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find(" samma fil: "), std::string::npos) << r.Err;
  EXPECT_EQ(Snapshot(dir.File("")), before); // nothing changed, nothing new
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KelvokonvClashes,
    ::testing::Values(
        TClash{"OutputIsTheInput", 1, {"IN", "sorvia.mrc"}},
        TClash{"OutputIsAHardLinkOfTheInput", 0, {"IN", "hard.mrc"}},
        TClash{"OutputIsASymlinkToTheInput", 2, {"IN", "sym.mrc"}},
        TClash{"OutputIsASideFile", 1, {"--periodicals", "old.mrc", "IN", "old.mrc"}},
        TClash{"SideFileIsSideFile", 0, {"--periodicals", "old.mrc", "--weeded", "old.mrc", "IN", "ut.mrc"}},
        TClash{"SideFileIsASymlinkToTheOutput", 1, {"--weeded", "sym-old.mrc", "IN", "old.mrc"}},
        TClash{"OutputIsTheFilterFile", 0, {"--filter-file", "filter.txt", "IN", "filter.txt"}},
        TClash{"SideFileIsTheSettingsFile", 1, {"--weeded", "kelvokonv.ini", "IN", "ut.mrc"}},
        TClash{"OutputIsTheLocalAdaptation", 2, {"IN", "LokalAnpassTrux.xml"}},
        TClash{"OutputIsTheMultiVolumeFile", 2, {"IN", "flerband.txt"}},
        TClash{"MultiVolumeFileIsTheOutput", 2, {"--multi-volume", "sym-old.mrc", "IN", "old.mrc"}},
        TClash{"ReportIsTheInput", 0, {"--report", "sorvia.mrc", "IN", "ut.mrc"}},
        TClash{"ReportIsASymlinkToTheOutput", 2, {"--report", "sym-old.mrc", "IN", "old.mrc"}},
        TClash{"MultiVolumeFileIsTheInput",
               2,
               {"--only-improper-parts", "--multi-volume", "dalk.mrc", "IN", "ut.mrc"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(KelvokonvFiles, TheReportIsWrittenAlsoWhenNothingWasLeftOutAndAFailedOneFailsTheRun) {
  Prepare(1);
  const TKelvokonvResult all = Run(0, {"--report", "rapport.txt", "IN", "ut.mrc"});
  ASSERT_EQ(all.Status, 0) << all.Err;
  EXPECT_NE(all.Err.find("\nRapport: rapport.txt\n"), std::string::npos) << all.Err;
  EXPECT_EQ(ReadAll(dir.File("rapport.txt")),
            "Rapport fr\xe5n Kelvo konvertering: poster som inte skrevs och tecken som ersattes\r\n\r\n"
            "Alla poster skrevs, och inga tecken ersattes.\r\n");

  dir.Write("utan-titel.mrc", "*001 N1\r\n*500  $aX\r\n^\r\n");
  const TKelvokonvResult failed = Run(0, {"--report", "saknas/rapport.txt", "utan-titel.mrc", "ut.mrc"});
  EXPECT_EQ(failed.Status, 1);
  EXPECT_NE(failed.Err.find("kelvokonv: Kan inte skriva rapportfilen saknas/rapport.txt"), std::string::npos)
      << failed.Err;
}

// A file system of 16 KB on a folder of the test: a disk that fills up.
class TSmallDisk {
public:
  explicit TSmallDisk(const std::string& folder) : folder_(folder) {
    fs::create_directory(folder_);
    mounted_ = mount("kelvo-test", folder_.c_str(), "tmpfs", 0, "size=16k") == 0;
  }
  ~TSmallDisk() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  }
  bool Mounted() const { return mounted_; }

private:
  std::string folder_;
  bool mounted_ = false;
};

struct TWriteFailure {
  const char* Name;
  int Profile;
  std::vector<std::string> Args; // "FAIL": the file that cannot take the data
  const char* Role;              // UTF-8, as the message shows it
  const char* Label;             // its line in the summary
};

class KelvokonvWriteFailures : public KelvokonvFiles, public ::testing::WithParamInterface<TWriteFailure> {};

TEST_P(KelvokonvWriteFailures, EndTheRunWithTheFilesNameAndWholeRecords) {
  Prepare(200);
  TSmallDisk disk(dir.File("disk"));
  std::vector<std::string> places{"/dev/full"};
  if (disk.Mounted()) places.push_back(dir.File("disk/full.mrc"));
  for (const std::string jobs : {"1", "2"})
    for (const std::string& place : places) {
      SCOPED_TRACE(place + ", --jobs " + jobs);
      std::vector<std::string> args = GetParam().Args;
      for (std::string& a : args)
        if (a == "FAIL") a = place;
      args.insert(args.begin(), {"--jobs", jobs});
      const TKelvokonvResult r = Run(GetParam().Profile, args);
      EXPECT_EQ(r.Status, 1);
      EXPECT_NE(r.Err.find(std::string("Kan inte skriva till ") + GetParam().Role + " " + place),
                std::string::npos)
          << r.Err;
      // The summary counts the records that reached the file, no more.
      const std::size_t reached = place == "/dev/full" ? 0 : RecordsIn(ReadAll(place));
      EXPECT_NE(
          r.Err.find(std::string("  ") + GetParam().Label + ": " + std::to_string(reached) + " (" + place),
          std::string::npos)
          << r.Err;
      ExpectWholeRecords(dir.File(""));
      if (disk.Mounted()) ExpectWholeRecords(dir.File("disk"));
    }
  if (!disk.Mounted()) GTEST_SKIP() << "bara /dev/full: ett litet filsystem kan inte monteras h\xc3\xa4r";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KelvokonvWriteFailures,
    ::testing::Values(
        TWriteFailure{"Profile0Output", 0, {"IN", "FAIL"}, "utfilen", "Utfil"},
        TWriteFailure{"Profile0Periodicals",
                      0,
                      {"--periodicals", "FAIL", "IN", "ut.mrc"},
                      "filen f\xc3\xb6r periodika",
                      "Periodika"},
        TWriteFailure{"Profile0Weeded",
                      0,
                      {"--weeded", "FAIL", "IN", "ut.mrc"},
                      "filen f\xc3\xb6r utgallrade poster",
                      "Utgallrade"},
        TWriteFailure{"Profile1Output", 1, {"IN", "FAIL"}, "utfilen", "Utfil"},
        TWriteFailure{"Profile1Periodicals",
                      1,
                      {"--periodicals", "FAIL", "IN", "ut.mrc"},
                      "filen f\xc3\xb6r periodika",
                      "Periodika"},
        TWriteFailure{"Profile1Weeded",
                      1,
                      {"--weeded", "FAIL", "IN", "ut.mrc"},
                      "filen f\xc3\xb6r utgallrade poster",
                      "Utgallrade"},
        TWriteFailure{"Profile2Output", 2, {"--multi-volume", "fb.txt", "IN", "FAIL"}, "utfilen", "Utfil"},
        TWriteFailure{"Profile2MultiVolume",
                      2,
                      {"--multi-volume", "FAIL", "IN", "ut.mrc"},
                      "filen f\xc3\xb6r flerbandsverk",
                      "Flerbandsverk"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(KelvokonvFiles, StopSignalsEndTheRunAfterARecordWithEveryFileWhole) {
  Prepare(3000);
  const struct {
    int Profile;
    int Signal;
    std::vector<std::string> Args;
  } runs[] = {{0, SIGHUP, {"--jobs", "1", "--periodicals", "p.mrc", "--weeded", "g.mrc", "IN", "ut.mrc"}},
              {1, SIGTERM, {"--jobs", "1", "--periodicals", "p.mrc", "--weeded", "g.mrc", "IN", "ut.mrc"}},
              {0, SIGINT, {"--jobs", "2", "--periodicals", "p.mrc", "--weeded", "g.mrc", "IN", "ut.mrc"}},
              {1, SIGTERM, {"--jobs", "2", "--periodicals", "p.mrc", "--weeded", "g.mrc", "IN", "ut.mrc"}},
              {2, SIGTERM, {"--jobs", "1", "IN", "ut.mrc"}},
              {2, SIGINT, {"--jobs", "2", "IN", "ut.mrc"}}};
  for (const auto& run : runs) {
    SCOPED_TRACE(run.Profile);
    fs::remove(dir.File("ut.mrc")); // the signal waits for this run's first record
    const TKelvokonvResult r = Run(run.Profile, run.Args, run.Signal, "ut.mrc");
    EXPECT_EQ(r.Status, 128 + run.Signal) << r.Err;
    EXPECT_NE(r.Err.find("L\xc3\xa4sta poster: "), std::string::npos) << r.Err;
    const std::size_t written = RecordsIn(ReadAll(dir.File("ut.mrc")));
    EXPECT_LT(written, 3000u); // far fewer than the input holds
    // Every record counted as written is in the file.
    EXPECT_NE(r.Err.find("  Utfil: " + std::to_string(written) + " ("), std::string::npos) << r.Err;
    ExpectWholeRecords(dir.File(""));
  }
}

} // namespace
} // namespace kelvo
