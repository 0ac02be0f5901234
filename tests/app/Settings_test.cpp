// Which settings are read at start-up, written at close, and read per run.
#include "app/Settings.h"

#include <gtest/gtest.h>

#include <utility>

#include "app/IniFile.h"
#include "app/StartUp.h"
#include "record/MarcError.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::TRecordingIni;

TMainState StateFor(const std::string& programFile) {
  TMainState state;
  SetProgramPaths(state, programFile);
  return state;
}

TEST(Settings, AnEmptyFileGivesTheDesignStates) {
  TempDir dir;
  const TIniFile ini(dir.Write("kelvo.ini", ""));
  TMainState state = StateFor(dir.File("kelvo"));
  ReadSettings(ini, state);
  EXPECT_EQ(state.Profile, 0);
  EXPECT_TRUE(state.FilterOn);
  EXPECT_TRUE(state.RemoveDuplicateLines);
  EXPECT_FALSE(state.PeriodicalsSep);
  EXPECT_TRUE(state.PeriodicaFileShow);
  EXPECT_FALSE(state.UtgallradeSeparera);
  EXPECT_TRUE(state.UtgallradeFileShow);
  EXPECT_TRUE(state.SubfieldLines);
  EXPECT_EQ(state.PeriodicalsFile, dir.File("periodika.mrc"));
  EXPECT_EQ(state.WeededFile, dir.File("utgallrade.mrc"));
  EXPECT_EQ(state.WeedingCriteria, "Utgallr|Gallr|U");
  EXPECT_EQ(state.Infil, "");
  EXPECT_EQ(state.Utfil, "");
  EXPECT_EQ(state.Charset, "auto");
}

TEST(Settings, ReadsEveryKey) {
  TempDir dir;
  const TIniFile ini(dir.Write("kelvo.ini", "[filer]\r\ninfil=C:\\in.m21\r\nutfil=C:\\ut.mrc\r\n"
                                            "periodica=C:\\p.mrc\r\nutgallrade=C:\\u.mrc\r\n"
                                            "[diverse]\r\nmarcfilteron=0\r\ndubbletterbort=0\r\n"
                                            "periodicasep=1\r\nperiodicafileshow=0\r\nutgallrseparera=1\r\n"
                                            "utgallradefileshow=0\r\nutgallradkriterier=Kass\r\nprofil=1\r\n"
                                            "dfradbryt=0\r\nteckenuppsattning=marc-8\r\ntradar=3\r\n"));
  TMainState state = StateFor(dir.File("kelvo"));
  ReadSettings(ini, state);
  EXPECT_EQ(state.Infil, "C:\\in.m21");
  EXPECT_EQ(state.Utfil, "C:\\ut.mrc");
  EXPECT_EQ(state.PeriodicalsFile, "C:\\p.mrc");
  EXPECT_EQ(state.WeededFile, "C:\\u.mrc");
  EXPECT_FALSE(state.FilterOn);
  EXPECT_FALSE(state.RemoveDuplicateLines);
  EXPECT_TRUE(state.PeriodicalsSep);
  EXPECT_FALSE(state.PeriodicaFileShow);
  EXPECT_TRUE(state.UtgallradeSeparera);
  EXPECT_FALSE(state.UtgallradeFileShow);
  EXPECT_EQ(state.WeedingCriteria, "Kass");
  EXPECT_EQ(state.Profile, 1);
  EXPECT_FALSE(state.SubfieldLines);
  EXPECT_EQ(state.Charset, "marc-8");
  EXPECT_EQ(RunJobs(state), 3);
}

TEST(Settings, TheThreadsOfARunAreAWholeNumberFromOneOrOnePerCore) {
  TMainState state;
  EXPECT_GE(RunJobs(state), 1); // empty: one per core
  for (const auto& [text, jobs] : {std::pair{" 4 ", 4}, std::pair{"1", 1}, std::pair{"256", 256}}) {
    state.Jobs = text;
    EXPECT_EQ(RunJobs(state), jobs) << text;
  }
  for (const char* text : {"0", "-1", "257", "2x", "alla", "99999999999"}) {
    state.Jobs = text;
    EXPECT_THROW(RunJobs(state), MarcError) << text;
  }
}

TEST(Settings, ANonNumericProfileIsProfileZero) {
  TRecordingIni ini;
  ini.Values["diverse/profil"] = "2x";
  TMainState state;
  ReadSettings(ini, state);
  EXPECT_EQ(state.Profile, 0);
}

TEST(Settings, AreReadInTheOrderOfTheTable) {
  TRecordingIni ini;
  TMainState state;
  ReadSettings(ini, state);
  const std::vector<std::string> expected = {"filer/infil",
                                             "filer/utfil",
                                             "diverse/marcfilteron",
                                             "diverse/dubbletterbort",
                                             "filer/periodica",
                                             "diverse/periodicasep",
                                             "diverse/periodicafileshow",
                                             "filer/utgallrade",
                                             "diverse/utgallrseparera",
                                             "diverse/utgallradefileshow",
                                             "diverse/utgallradkriterier",
                                             "diverse/profil",
                                             "diverse/dfradbryt",
                                             "diverse/teckenuppsattning",
                                             "diverse/tradar"};
  EXPECT_EQ(ini.Reads, expected);
}

TEST(Settings, CloseWritesTheSwitchesAndSideFilesInOrder) {
  TRecordingIni ini;
  TMainState state;
  state.FilterOn = false;
  state.PeriodicalsSep = true;
  state.PeriodicalsFile = "C:\\data\\p.mrc";
  state.WeededFile = "/srv/u.mrc";
  state.Profile = 2;                 // never written
  state.WeedingCriteria = "X";       // never written
  state.Infil = "written-on-choice"; // written when the user chooses, not at close
  ASSERT_TRUE(WriteSettings(ini, state));
  const std::vector<std::string> expected = {
      "diverse/marcfilteron=0",    "diverse/dubbletterbort=1",     "filer/periodica=C:\\data\\p.mrc",
      "diverse/periodicasep=1",    "diverse/periodicafileshow=1",  "filer/utgallrade=/srv/u.mrc",
      "diverse/utgallrseparera=0", "diverse/utgallradefileshow=1", "diverse/teckenuppsattning=auto"};
  EXPECT_EQ(ini.Writes, expected);
}

TEST(Settings, CloseKeepsForeignContentOfTheFile) {
  TempDir dir;
  TIniFile ini(dir.Write("kelvo.ini", "[filer]\r\ninfil=C:\\in.m21\r\n[egen]\r\nnyckel=v\xe4rde\r\n"
                                      "[diverse]\r\nprofil=1\r\nmarcfilteron=1\r\n"));
  TMainState state = StateFor(dir.File("kelvo"));
  ReadSettings(ini, state);
  state.FilterOn = false;
  ASSERT_TRUE(WriteSettings(ini, state));
  const std::string p = dir.File("");
  EXPECT_EQ(ReadAll(ini.FileName()),
            "[filer]\r\ninfil=C:\\in.m21\r\nperiodica=" + p + "periodika.mrc\r\nutgallrade=" + p +
                "utgallrade.mrc\r\n[egen]\r\nnyckel=v\xe4rde\r\n[diverse]\r\nprofil=1\r\nmarcfilteron=0\r\n"
                "dubbletterbort=1\r\nperiodicasep=0\r\nperiodicafileshow=1\r\nutgallrseparera=0\r\n"
                "utgallradefileshow=1\r\nteckenuppsattning=auto\r\n");
}

TEST(Kv21Options, AreReadFromTheirSectionEachTime) {
  TRecordingIni ini;
  EXPECT_FALSE(ReadKv21Options(&ini, {}).VoyagerIdKeep);
  ini.Values["kv2m21spec/voyageridkeep"] = "1";
  ini.Values["kv2m21spec/keepold035handling"] = "1";
  const TKv21Options options = ReadKv21Options(&ini, {});
  EXPECT_FALSE(options.Fld852cUnconditionally);
  EXPECT_TRUE(options.VoyagerIdKeep);
  EXPECT_TRUE(options.KeepOld035Handling);
  EXPECT_EQ(ini.Reads.size(), 6U); // three keys, read anew by each call
}

TEST(Kv21Options, ForcedNamesAreOnWithoutASettingsFile) {
  const TKv21Options options = ReadKv21Options(nullptr, {"fld852cunconditionally"});
  EXPECT_TRUE(options.Fld852cUnconditionally);
  EXPECT_FALSE(options.VoyagerIdKeep);
  EXPECT_TRUE(IsKv21Option("keepold035handling"));
  EXPECT_FALSE(IsKv21Option("KeepOld035Handling"));
}

} // namespace
} // namespace kelvo
