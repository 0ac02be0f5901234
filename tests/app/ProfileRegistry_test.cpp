// Every profile of the registry reaches the window, the command line and a
// run; a number the registry does not know is refused in each of them.
#include "app/ProfileRegistry.h"

#include <gtest/gtest.h>

#include "app/MainWindowModel.h"
#include "app/ProfileRun.h"
#include "app/StartUp.h"
#include "support/Fakes.h"
#include "support/Kelvokonv.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::TempDir;
using testing::TFakeShell;
using testing::TProgramDir;
using testing::TRecordingIni;

constexpr std::string_view Record = "*001 12\r\n*245 10$aEn titel\r\n^\r\n";

class TNoHost : public TMainWindowHost {
public:
  std::optional<std::string> ExecuteFileDialog(const TFileDialogRequest&) override { return std::nullopt; }
  bool ExecuteFilterEditor(TFilterEditorModel&) override { return false; }
  void ExecutePreview(TPreviewModel&) override {}
  void CloseWindow() override {}
};

// The window of a program in dir whose settings name the profile.
struct TWindow {
  explicit TWindow(const TempDir& dir, std::string_view profile) {
    SetProgramPaths(state, dir.File("kelvokonv"));
    ini.Values["diverse/profil"] = std::string(profile);
    PrepareStartUp(state, ini, "");
  }
  TMainState state;
  TRecordingIni ini;
  TFakeShell shell;
  TNoHost host;
  TMainWindowModel model{state, ini, shell.Frame, host};
};

TEST(ProfileRegistry, EveryProfileReachesTheWindowTheCommandLineAndARun) {
  const TProgramDir program;
  const std::string help = program.Run({.Args = {"--help"}}).Out;
  const std::string in = program.Write("in.mrc", Record);
  for (const TProfileInfo& profile : Profiles()) {
    const std::string number = std::to_string(profile.Number);
    SCOPED_TRACE("profil " + number);
    TempDir dir;
    TWindow window(dir, number);
    EXPECT_EQ(window.state.Title, std::string(TitlePrefix) + std::string(profile.Title));
    EXPECT_EQ(window.state.FilterFile, dir.File(profile.FilterFile));
    EXPECT_EQ(window.model.Visible(*FindMenuItem("mnuDalkOegentligaDelarSpecial")),
              profile.Options.MultiVolume);
    EXPECT_EQ(window.model.Enabled(*FindMenuItem("mnuTeckenuppsattning")), profile.Options.Charset);

    window.state.SourceIsIso = false;
    window.state.InFile = dir.Write("in.mrc", Record);
    window.state.OutFile = dir.File("ut.mrc");
    EXPECT_EQ(RunProfile(window.state, window.shell.Frame), TRunOutcome::Completed);
    EXPECT_NE(testing::ReadAll(window.state.OutFile).find("En titel"), std::string::npos);

    EXPECT_NE(help.find(number + " " + std::string(profile.Title)), std::string::npos) << help;
    const auto run =
        program.Run({.Args = {"-q", "-p", number, "--format", "line", in, "ut" + number + ".mrc"}});
    EXPECT_EQ(run.Status, 0) << run.Err;
  }
}

TEST(ProfileRegistry, AnUnknownNumberIsRefusedEverywhere) {
  TempDir dir;
  TWindow window(dir, "9");
  EXPECT_EQ(window.state.Title, TitlePrefix);
  EXPECT_FALSE(window.model.Visible(*FindMenuItem("mnuDalkOegentligaDelarSpecial")));
  window.state.InFile = dir.Write("in.mrc", Record);
  window.state.OutFile = dir.File("ut.mrc");
  window.state.Batch = true;
  EXPECT_EQ(RunBatch(window.state, window.shell.Frame), TRunOutcome::NotStarted);
  EXPECT_EQ(RunProfile(window.state, window.shell.Frame), TRunOutcome::NotStarted);
  ASSERT_EQ(window.shell.Msg.Boxes.size(), 2u);
  for (const auto& box : window.shell.Msg.Boxes)
    EXPECT_NE(box.Text.find("profil 9 finns inte"), std::string::npos) << box.Text;

  const TProgramDir program;
  const auto run = program.Run({.Args = {"-p", "9", program.Write("in.mrc", Record), "ut.mrc"}});
  EXPECT_NE(run.Status, 0);
  EXPECT_NE(run.Err.find("ok\xc3\xa4nd profil: 9 (0, 1 eller 2)"), std::string::npos) << run.Err;
}

} // namespace
} // namespace kelvo
