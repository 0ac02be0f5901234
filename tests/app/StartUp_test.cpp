// The start-up sequence of the main window and the batch flow.
#include "app/StartUp.h"

#include <gtest/gtest.h>

#include "app/AppPaths.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::TempDir;
using testing::TFakeShell;
using testing::TRecordingIni;

class StartUp : public ::testing::Test {
protected:
  StartUp() { SetProgramPaths(state, dir.File("kelvokonv")); }
  TempDir dir;
  TMainState state;
  TRecordingIni ini;
  TFakeShell shell;
};

TEST_F(StartUp, ProgramPathsGiveTheSettingsFileAndSideFileDefaults) {
  // A program in a folder that it can write keeps every file beside itself.
  EXPECT_EQ(SettingsFileFor(dir.File("konv.exe")), dir.File("konv.ini"));
  EXPECT_EQ(state.ProgramFolder, dir.File(""));
  EXPECT_EQ(state.OwnFolder, dir.File(""));
  EXPECT_EQ(state.DataFolder, dir.File(""));
  EXPECT_EQ(state.UserDataFolder, "");
  EXPECT_EQ(state.PeriodicalsFile, dir.File("periodika.mrc"));
  EXPECT_EQ(state.WeededFile, dir.File("utgallrade.mrc"));
}

TEST_F(StartUp, EmptySettingsGiveProfile0AndNoFiles) {
  PrepareStartUp(state, ini, "");
  EXPECT_EQ(state.Profile, 0);
  EXPECT_EQ(state.Title, "Kelvo konvertering. Profil: SorvM21/KV2/Sorvia");
  EXPECT_EQ(state.FilterFile, dir.File("marcfilter.txt"));
  EXPECT_FALSE(state.VendorItemsVisible);
  EXPECT_EQ(state.InFile, "*ej angiven*");
  EXPECT_EQ(state.OutFile, "*ej angiven*");
  EXPECT_EQ(state.OpenDialogFolder, dir.File("").substr(0, dir.File("").size() - 1));
  EXPECT_FALSE(StartAvailable(state));
}

struct TProfileCase {
  const char* Setting;
  const char* Title;
  const char* Filter;
  bool VendorItems;
};

class StartUpProfile : public StartUp, public ::testing::WithParamInterface<TProfileCase> {};

TEST_P(StartUpProfile, SetsTitleFilterAndMenus) {
  ini.Values["diverse/profil"] = GetParam().Setting;
  PrepareStartUp(state, ini, "");
  EXPECT_EQ(state.Title, std::string("Kelvo konvertering. Profil: ") + GetParam().Title);
  EXPECT_EQ(state.FilterFile, GetParam().Filter[0] ? dir.File(GetParam().Filter) : "");
  EXPECT_EQ(state.VendorItemsVisible, GetParam().VendorItems);
}

INSTANTIATE_TEST_SUITE_P(Profiles, StartUpProfile,
                         ::testing::Values(TProfileCase{"1", "SorvM21/KV2/Marc21", "marcfilter21.txt", false},
                                           TProfileCase{"2", "DalkII/KV2/Marc21", "marcfilterdalkii.txt",
                                                        true},
                                           TProfileCase{"5", "", "", false},
                                           TProfileCase{"x", "SorvM21/KV2/Sorvia", "marcfilter.txt", false}));

TEST_F(StartUp, TakesTheSettingsFilesWhenTheyExist) {
  const std::string in = dir.Write("in.mrc", "");
  const std::string out = dir.File("ut.mrc"); // need not exist, its folder does
  ini.Values["filer/infil"] = in;
  ini.Values["filer/utfil"] = out;
  PrepareStartUp(state, ini, "");
  EXPECT_EQ(state.InFile, in);
  EXPECT_EQ(state.OutFile, out);
  EXPECT_EQ(state.OpenDialogFolder + "/", dir.File(""));
  EXPECT_TRUE(StartAvailable(state));
}

TEST_F(StartUp, DropsAMissingInputAndAnOutputInAMissingFolder) {
  ini.Values["filer/infil"] = dir.File("saknas.mrc");
  ini.Values["filer/utfil"] = dir.File("saknad-mapp/ut.mrc");
  PrepareStartUp(state, ini, "");
  EXPECT_EQ(state.Infil, "");
  EXPECT_EQ(state.Utfil, "");
  EXPECT_EQ(state.InFile, "*ej angiven*");
  EXPECT_EQ(state.OutFile, "*ej angiven*");
  EXPECT_EQ(state.SaveDialogFolder + "/", dir.File("")); // the program's folder
}

TEST_F(StartUp, TheCommandLineWinsOverTheSettings) {
  ini.Values["filer/infil"] = dir.Write("gammal.mrc", "");
  ini.Values["filer/utfil"] = dir.Write("gammal-ut.mrc", "");
  PrepareStartUp(state, ini, "/in=ny.m21/iso=0");
  EXPECT_EQ(state.InFile, "ny.m21");
  EXPECT_EQ(state.OutFile, dir.File("gammal-ut.mrc"));
  EXPECT_FALSE(state.SourceIsIso);
}

TEST_F(StartUp, AnArgumentThatIsNoBatchArgumentIsTheInputFile) {
  ini.Values["filer/infil"] = dir.Write("gammal.mrc", "");
  for (const char* path : {"/srv/bat/leverans.mrc", "/data/batches/ny.mrc", "lokal.mrc"}) {
    PrepareStartUp(state, ini, path);
    EXPECT_FALSE(state.Batch) << path;
    EXPECT_EQ(state.InFile, path);
  }
}

TEST_F(StartUp, BatchWithAMissingInputShowsTheErrorAndStaysOpen) {
  EXPECT_FALSE(RunStartUp(state, ini, "/bat/in=saknas.m21/ut=ut.mrc", shell.Frame));
  EXPECT_FALSE(state.Batch);
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Error);
  EXPECT_EQ(shell.Msg.Boxes[0].Text, "Kan ej k\xf6ra batch, kontrollera filangivelserna");
  EXPECT_TRUE(shell.View.Calls.empty()); // no run
}

TEST_F(StartUp, BatchWithAnUnknownProfileSaysSoAndStaysOpen) {
  ini.Values["filer/infil"] = dir.Write("in.mrc", "");
  ini.Values["filer/utfil"] = dir.File("ut.mrc");
  ini.Values["diverse/profil"] = "5";
  EXPECT_FALSE(RunStartUp(state, ini, "/bat", shell.Frame));
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_NE(shell.Msg.Boxes[0].Text.find("profil 5"), std::string::npos);
}

TEST_F(StartUp, WithoutBatchNothingRuns) {
  ini.Values["filer/infil"] = dir.Write("in.mrc", "*245  $aA\r\n^\r\n");
  ini.Values["filer/utfil"] = dir.File("ut.mrc");
  EXPECT_FALSE(RunStartUp(state, ini, "/BAT", shell.Frame));
  EXPECT_TRUE(shell.View.Calls.empty());
  EXPECT_TRUE(shell.Msg.Boxes.empty());
}

TEST_F(StartUp, ACompletedBatchRunClosesTheWindow) {
  ini.Values["filer/infil"] = dir.Write("in.mrc", "*245  $aA\r\n^\r\n");
  ini.Values["filer/utfil"] = dir.File("ut.mrc");
  EXPECT_TRUE(RunStartUp(state, ini, "/bat/iso=0", shell.Frame));
  EXPECT_TRUE(FileExists(dir.File("ut.mrc")));
  EXPECT_EQ(shell.View.Running, (std::vector<bool>{true, false}));
}

TEST_F(StartUp, ACancelledBatchRunLeavesTheWindowOpen) {
  ini.Values["filer/infil"] = dir.Write("in.mrc", "*245  $aA\r\n^\r\n*245  $aB\r\n^\r\n");
  ini.Values["filer/utfil"] = dir.File("ut.mrc");
  shell.Api.OnProcess = [&](int) { shell.Frame.Cancelled = true; };
  EXPECT_FALSE(RunStartUp(state, ini, "/bat/iso=0", shell.Frame));
  EXPECT_TRUE(shell.Frame.Cancelled);
}

} // namespace
} // namespace kelvo
