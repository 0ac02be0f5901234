// The main window's behaviour without a display: menus, availability,
// switches, file choices, the survey, the About box, start-up and close.
#include "app/MainWindowModel.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>

#include <gtest/gtest.h>

#include "app/AppPaths.h"
#include "app/FilterEditorModel.h"
#include "app/PreviewModel.h"
#include "app/StartUp.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TempDir;
using testing::TFakeShell;
using testing::TRecordingIni;

class TFakeHost : public TMainWindowHost {
public:
  std::vector<TFileDialogRequest> Requests;
  std::deque<std::optional<std::string>> Picks; // answers of the next dialogs; cancelled when empty
  std::function<bool(TFilterEditorModel&)> Editor;
  int Closes = 0;

  std::optional<std::string> ExecuteFileDialog(const TFileDialogRequest& request) override {
    Requests.push_back(request);
    if (Picks.empty()) return std::nullopt;
    auto pick = Picks.front();
    Picks.pop_front();
    return pick;
  }
  bool ExecuteFilterEditor(TFilterEditorModel& editor) override { return Editor && Editor(editor); }
  std::function<void(TPreviewModel&)> Preview;
  void ExecutePreview(TPreviewModel& preview) override {
    if (Preview) Preview(preview);
  }
  void CloseWindow() override { ++Closes; }
};

class MainWindowModel : public ::testing::Test {
protected:
  MainWindowModel() { SetProgramPaths(state, dir.File("kelvokonv")); }

  const TMenuItem& Item(std::string_view name) {
    const TMenuItem* item = FindMenuItem(name);
    if (!item) throw std::runtime_error("no menu item " + std::string(name));
    return *item;
  }
  // An existing line-format input and an output beside it, both in the labels.
  void SetFiles() {
    state.InFile = dir.Write("in.mrc", "*001 12\r\n*245 10$aA$cC\r\n^\r\n");
    state.OutFile = dir.File("ut.mrc");
  }

  TempDir dir;
  TMainState state;
  TRecordingIni ini;
  TFakeShell shell;
  TFakeHost host;
  TMainWindowModel model{state, ini, shell.Frame, host};
};

// The items with a check mark and their state when the program starts.
struct TCheckCase {
  const char* Name;
  bool Checked;
};

constexpr TCheckCase DesignChecks[] = {
    {"mnuMarcFilterOn", true},
    {"mnuKonvTillKv2", true},
    {"mnuSourceIsIso2709", true},
    {"mnuDubbletterBort", true},
    {"mnuDiakriterTranslate", true},
    {"mnuDalkOegentligaDelarSpecial", false},
    {"mnuPeriodicalsSep", false},
    {"mnuPeriodicaFileShow", true},
    {"mnuUtgallradeSeparera", false},
    {"mnuUtgallradeFileShow", true},
    {"mnuDalkEgentligaFlerbandSepareras", true},
};

TEST_F(MainWindowModel, CheckMarksStartInTheirDesignState) {
  int checkable = 0;
  for (const TMenuItem& item : MenuItems())
    if (item.Check) ++checkable;
  EXPECT_EQ(checkable, static_cast<int>(std::size(DesignChecks)));
  for (const auto& c : DesignChecks) {
    SCOPED_TRACE(c.Name);
    ASSERT_NE(Item(c.Name).Check, nullptr);
    EXPECT_EQ(model.Checked(Item(c.Name)), c.Checked);
  }
  EXPECT_FALSE(model.Checked(Item("mnuStart")));
}

TEST_F(MainWindowModel, VendorItemsAreHiddenOutsideProfile2) {
  const std::vector<std::string> vendorOnly = {"mnuDelim1", "mnuDiakriterTranslate",
                                               "mnuDalkOegentligaDelarSpecial", "mnuDelim3",
                                               "mnuDalkEgentligaFlerbandSepareras"};
  for (const char* profile : {"0", "1", "2"}) {
    TMainState st;
    SetProgramPaths(st, dir.File("kelvokonv"));
    TRecordingIni settings;
    settings.Values["diverse/profil"] = profile;
    PrepareStartUp(st, settings, "");
    TMainWindowModel m(st, settings, shell.Frame, host);
    std::vector<std::string> hidden;
    for (const TMenuItem& item : MenuItems())
      if (!m.Visible(item)) hidden.emplace_back(item.Name);
    EXPECT_EQ(hidden, profile == std::string("2") ? std::vector<std::string>{} : vendorOnly) << profile;
  }
}

struct TStartCase {
  const char* Name;
  bool InputExists;
  bool InputNamed;
  bool OutputNamed;
  bool Start;
};

TEST_F(MainWindowModel, StartNeedsBothNamesAndAnExistingInput) {
  const TStartCase cases[] = {
      {"both set", true, true, true, true},
      {"no output", true, true, false, false},
      {"no input", true, false, true, false},
      {"input missing", false, true, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    state.InFile = c.InputNamed ? (c.InputExists ? dir.Write("in.mrc", "") : dir.File("saknas.mrc"))
                                : std::string(NoFileCaption);
    state.OutFile = c.OutputNamed ? dir.File("ut.mrc") : std::string(NoFileCaption);
    EXPECT_EQ(model.StartEnabled(), c.Start);
    EXPECT_EQ(model.Enabled(Item("mnuStart")), c.Start);
  }
}

TEST_F(MainWindowModel, TheSurveyNeedsLineFormatInputThatExists) {
  SetFiles();
  EXPECT_FALSE(model.SurveyEnabled()); // Iso2709 is checked at start
  model.MenuClick(Item("mnuSourceIsIso2709"));
  EXPECT_FALSE(state.SourceIsIso);
  EXPECT_TRUE(model.SurveyEnabled());
  EXPECT_TRUE(model.Enabled(Item("mnuFieldsInvestigate")));
  state.InFile = dir.File("saknas.mrc");
  EXPECT_FALSE(model.SurveyEnabled());
  state.InFile = std::string(NoFileCaption);
  EXPECT_FALSE(model.SurveyEnabled());
}

TEST_F(MainWindowModel, NeitherStartNorTheSurveyDuringARun) {
  SetFiles();
  state.SourceIsIso = false;
  bool startDuringRun = true, surveyDuringRun = true;
  shell.Api.OnProcess = [&](int) {
    startDuringRun = model.StartEnabled();
    surveyDuringRun = model.SurveyEnabled();
  };
  model.btnStartClick();
  EXPECT_FALSE(startDuringRun);
  EXPECT_FALSE(surveyDuringRun);
  EXPECT_TRUE(model.StartEnabled());
  EXPECT_TRUE(model.SurveyEnabled());
}

TEST_F(MainWindowModel, EachToggleInvertsItsSwitchWithoutAsking) {
  for (const auto& c : DesignChecks) {
    if (std::string_view(c.Name) == "mnuKonvTillKv2") continue;
    SCOPED_TRACE(c.Name);
    const TMenuItem& item = Item(c.Name);
    model.MenuClick(item);
    EXPECT_EQ(state.*item.Check, !c.Checked);
    model.MenuClick(item);
    EXPECT_EQ(state.*item.Check, c.Checked);
  }
  EXPECT_TRUE(shell.Msg.Boxes.empty());
}

TEST_F(MainWindowModel, SwitchingConversionOffAsksAndOnlyYesSwitchesIt) {
  shell.Msg.Answers = {false, true};
  model.MenuClick(Item("mnuKonvTillKv2"));
  EXPECT_TRUE(state.ConvertToKv2);
  model.MenuClick(Item("mnuKonvTillKv2"));
  EXPECT_FALSE(state.ConvertToKv2);
  ASSERT_EQ(shell.Msg.Boxes.size(), 2U);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Question);
  EXPECT_EQ(shell.Msg.Boxes[0].Text,
            "S\xe4kert att du vill st\xe4nga av konvertering till Kelvo? Med konverteringsflaggan "
            "avst\xe4ngd, l\xe4ggs Sorvia-filen ut som text utan n\xe5gra \xe4ndringar.");
  EXPECT_EQ(shell.Msg.Boxes[0].Caption, "kelvokonv");

  model.MenuClick(Item("mnuKonvTillKv2")); // on again: no question
  EXPECT_TRUE(state.ConvertToKv2);
  EXPECT_EQ(shell.Msg.Boxes.size(), 2U);
}

struct TNameCase {
  const char* Typed;
  const char* Output;   // output file and weeded file
  const char* Periodic; // periodicals file: never an extension added
};

TEST_F(MainWindowModel, ChosenFileNamesGetMrcOnlyWithoutAnyDot) {
  const TNameCase cases[] = {
      {"/data/ut", "/data/ut.mrc", "/data/ut"},
      {"/data/ut.txt", "/data/ut.txt", "/data/ut.txt"},
      {"/data/v1.2/ut", "/data/v1.2/ut", "/data/v1.2/ut"}, // the "." of the folder counts
      {"/data/ut.", "/data/ut.", "/data/ut."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Typed);
    host.Picks = {c.Typed, c.Typed, c.Typed};
    model.MenuClick(Item("mnuUtfil"));
    model.MenuClick(Item("mnuUtfilUtgallrade"));
    model.MenuClick(Item("mnuPeriodicalsOutFile"));
    EXPECT_EQ(state.OutFile, c.Output);
    EXPECT_EQ(ini.Values["filer/utfil"], c.Output);
    EXPECT_EQ(state.WeededFile, c.Output);
    EXPECT_EQ(state.PeriodicalsFile, c.Periodic);
  }
  // The side files are stored at close, not when chosen.
  EXPECT_EQ(ini.Values.count("filer/utgallrade"), 0U);
  EXPECT_EQ(ini.Values.count("filer/periodica"), 0U);
}

TEST_F(MainWindowModel, ChoosingTheInputShowsAndStoresItAndACancelChangesNothing) {
  state.OpenDialogFolder = "/start";
  const std::string in = dir.Write("in.mrc", "");
  host.Picks = {in};
  model.btnInfilClick();
  EXPECT_EQ(state.InFile, in);
  EXPECT_EQ(ini.Writes, (std::vector<std::string>{"filer/infil=" + in}));
  model.btnInfilClick(); // cancelled
  EXPECT_EQ(state.InFile, in);
  EXPECT_EQ(ini.Writes.size(), 1U);
  ASSERT_EQ(host.Requests.size(), 2U);
  EXPECT_EQ(host.Requests[0].Kind, TFileDialogKind::Open);
  EXPECT_EQ(host.Requests[0].Folder, "/start");
  EXPECT_EQ(host.Requests[0].Filter, "Alla|*.*");
  EXPECT_EQ(host.Requests[1].Folder + "/", dir.File("")); // where it was left
  EXPECT_EQ(host.Requests[1].FileName, "in.mrc");
}

TEST_F(MainWindowModel, TheSaveDialogIsSharedAndThePeriodicalsFilePresetsIt) {
  state.SaveDialogFolder = "/start";
  state.PeriodicalsFile = "/sid/periodika.mrc";
  host.Picks = {"/ut/a.mrc", "/per/p", "/gallr/g"};
  model.btnUtfilClick();
  model.mnuPeriodicalsOutFileClick();
  model.mnuUtfilUtgallradeClick();
  model.btnUtfilClick(); // cancelled; no longer the start-up folder
  ASSERT_EQ(host.Requests.size(), 4U);
  const std::string_view filter = "Kelvo exp/imp (*.mrc)|*.mrc|Alla (*.*)|*.*";
  for (const auto& r : host.Requests) {
    EXPECT_EQ(r.Kind, TFileDialogKind::Save);
    EXPECT_EQ(r.Filter, filter);
  }
  EXPECT_EQ(host.Requests[0].Folder, "/start");
  EXPECT_EQ(host.Requests[1].Folder, "/sid");
  EXPECT_EQ(host.Requests[1].FileName, "periodika.mrc");
  EXPECT_EQ(host.Requests[2].Folder, "/per"); // as it was left
  EXPECT_EQ(host.Requests[2].FileName, "p");
  EXPECT_EQ(host.Requests[3].Folder, "/gallr");
}

TEST_F(MainWindowModel, TheSurveyPutsItsResultOnTheClipboard) {
  SetFiles();
  state.SourceIsIso = false;
  model.MenuClick(Item("mnuFieldsInvestigate"));
  EXPECT_EQ(shell.Api.Clipboard, "001\r\n245ac\r\n");
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Information);
  EXPECT_EQ(shell.Msg.Boxes[0].Text, "Resultatet finns i klippbordet");
  EXPECT_EQ(shell.Msg.Boxes[0].Caption, "kelvokonv");
  ASSERT_FALSE(shell.View.Status.empty());
  EXPECT_EQ(shell.View.Status.front(), "Samlar in unika f\xe4lt/delf\xe4lt...");
  EXPECT_EQ(shell.View.Status.back(), "");
  EXPECT_EQ(shell.View.Gauge.back(), 0);
}

TEST_F(MainWindowModel, TheSurveyIsNotRunForIsoInputOrAFolder) {
  SetFiles();
  model.mnuFieldsInvestigate1Click(); // Iso2709 checked
  state.SourceIsIso = false;
  std::filesystem::create_directory(dir.File("mapp.mrc"));
  state.InFile = dir.File("mapp.mrc");
  model.mnuFieldsInvestigate1Click();
  EXPECT_TRUE(shell.View.Calls.empty());
  EXPECT_TRUE(shell.Api.Clipboard.empty());
}

TEST_F(MainWindowModel, AboutShowsTheVersionAndThreeCreditLines) {
  model.MenuClick(Item("mnuAbout"));
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  const std::string& text = shell.Msg.Boxes[0].Text;
  EXPECT_EQ(text.substr(0, 23), "Ver 3.16, 4 dec, 2006\r\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Information);
  EXPECT_EQ(shell.Msg.Boxes[0].Caption, "kelvokonv");
}

TEST_F(MainWindowModel, BatchCommandsWriteAndOpenTheHelpPage) {
  model.MenuClick(Item("mnuBatchCommands"));
  ASSERT_EQ(shell.Api.Opened.size(), 1U);
  EXPECT_EQ(shell.Api.Opened[0].first, dir.File("bathelp.htm"));
  EXPECT_EQ(shell.Api.Opened[0].second, "open");
  EXPECT_NE(ReadAll(dir.File("bathelp.htm")).find("/bat"), std::string::npos);
}

TEST_F(MainWindowModel, TheFilterEditorSavesOnOKOnly) {
  state.FilterFile = dir.Write("marcfilter.txt", "650x\r\n245\r\n");
  host.Editor = [](TFilterEditorModel& e) {
    EXPECT_EQ(e.Entries, (std::vector<std::string>{"245", "650x"}));
    e.SetTag("650");
    e.btnAddClick();
    return false; // Cancel
  };
  model.MenuClick(Item("Filtermarcflt1"));
  EXPECT_EQ(ReadAll(state.FilterFile), "650x\r\n245\r\n");

  host.Editor = [](TFilterEditorModel& e) {
    e.SetTag("650");
    e.btnAddClick();
    return true;
  };
  model.MenuClick(Item("Filtermarcflt1"));
  EXPECT_EQ(ReadAll(state.FilterFile), "245\r\n650\r\n");
  EXPECT_TRUE(shell.Msg.Boxes.empty());

  // Installed: the user's own copy is written, and read from then on.
  const std::string installed = state.FilterFile;
  state.UserDataFolder = dir.File("anv/");
  std::filesystem::create_directory(state.UserDataFolder);
  host.Editor = [](TFilterEditorModel& e) {
    e.SetTag("100");
    e.btnAddClick();
    return true;
  };
  model.MenuClick(Item("Filtermarcflt1"));
  EXPECT_EQ(state.FilterFile, dir.File("anv/marcfilter.txt"));
  EXPECT_EQ(ReadAll(state.FilterFile), "100\r\n245\r\n650\r\n");
  EXPECT_EQ(ReadAll(installed), "245\r\n650\r\n");
}

TEST_F(MainWindowModel, AFilterFileThatCannotBeWrittenIsReported) {
  state.FilterFile = dir.File("saknad-mapp/marcfilter.txt");
  host.Editor = [](TFilterEditorModel&) { return true; };
  model.mnuMarcFilterClick();
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Error);
  EXPECT_NE(shell.Msg.Boxes[0].Text.find(state.FilterFile), std::string::npos);
}

TEST_F(MainWindowModel, StartUpRunsOnceAndACompletedBatchRunAsksToClose) {
  ini.Values["filer/infil"] = dir.Write("in.mrc", "*245  $aA\r\n^\r\n");
  ini.Values["filer/utfil"] = dir.File("ut.mrc");
  EXPECT_TRUE(model.FormActivate("/bat/iso=0"));
  EXPECT_TRUE(model.Activated());
  EXPECT_TRUE(FileExists(dir.File("ut.mrc")));
  EXPECT_FALSE(model.FormActivate("/bat/iso=0"));
  EXPECT_EQ(shell.View.Running, (std::vector<bool>{true, false})); // one run only
}

TEST_F(MainWindowModel, ClosingWritesTheSwitchesAndSideFiles) {
  state.FilterOn = false;
  state.PeriodicalsFile = "/sid/per";
  EXPECT_TRUE(model.FormClose());
  EXPECT_EQ(ini.Values["diverse/marcfilteron"], "0");
  EXPECT_EQ(ini.Values["filer/periodica"], "/sid/per");
  EXPECT_EQ(ini.Values["diverse/utgallradefileshow"], "1");
  EXPECT_EQ(ini.Values["diverse/teckenuppsattning"], "auto");
  EXPECT_EQ(ini.Writes.size(), 9U);
}

TEST_F(MainWindowModel, TheCharacterSetIsOneOfFourRadioItemsOutsideProfile2) {
  ASSERT_EQ(std::size(CharsetItems), 4U);
  for (const TCharsetItem& chosen : CharsetItems) {
    model.mnuCharsetClick(chosen);
    EXPECT_EQ(state.Charset, chosen.Charset);
    for (const TCharsetItem& item : CharsetItems)
      EXPECT_EQ(model.CharsetChecked(item), &item == &chosen) << item.Name;
  }
  EXPECT_TRUE(model.Enabled(Item("mnuTeckenuppsattning")));
  state.Profile = 2;
  EXPECT_FALSE(model.Enabled(Item("mnuTeckenuppsattning")));
}

TEST_F(MainWindowModel, StartReadsMarcXmlWhateverTheIsoSwitchSays) {
  state.InFile = dir.Write("in.xml", "<collection><record><datafield tag=\"245\" ind1=\"1\" ind2=\"0\">"
                                     "<subfield code=\"a\">Sm\xc3\xa5 visor</subfield></datafield></record>"
                                     "</collection>");
  state.OutFile = dir.File("ut.mrc");
  state.ConvertToKv2 = false;
  model.btnStartClick();
  EXPECT_TRUE(state.SourceIsMarcXml);
  EXPECT_EQ(ReadAll(state.OutFile), "*24510$aSm\xe5 visor\r\n^\r\n");
  EXPECT_TRUE(shell.Msg.Boxes.empty());
  EXPECT_EQ(model.ResultLines.back(), "Omkodade poster: 1 (UTF-8 1, MARC-8 0)");
}

TEST_F(MainWindowModel, TheResultPanelTellsTheRunAndOpensTheOutputFolder) {
  EXPECT_TRUE(model.ResultLines.empty());
  EXPECT_FALSE(model.OpenFolderEnabled());
  const std::string iso = "00040nam  2200037   4500001000200000\x1e"
                          "a\x1e\x1d";
  state.InFile = dir.Write("in.iso", iso + iso.substr(0, 30)); // the last record cut short
  state.OutFile = dir.File("ut.mrc");
  model.btnStartClick();
  // RunSummaryLines (count, read, "Utfil", "Ej skrivna", "Ofullst\xe4ndiga"), the warning, the report.
  ASSERT_EQ(model.ResultLines.size(), 7U);
  EXPECT_EQ(model.ResultLines[3], "  Ej skrivna: 2"); // no 245
  EXPECT_EQ(model.ResultLines[5].substr(0, 38), "Varning: Ofullst\xe4ndig sista post: nr 2");
  EXPECT_EQ(model.ResultLines[6], "Rapport: " + dir.File("ut.mrc.rapport.txt"));
  model.btnOpenFolderClick();
  ASSERT_EQ(shell.Api.Opened.size(), 1U);
  EXPECT_EQ(shell.Api.Opened[0].first, dir.File(""));
  ASSERT_TRUE(model.OpenReportEnabled());
  model.btnOpenReportClick();
  EXPECT_EQ(shell.Api.Opened.back().first, dir.File("ut.mrc.rapport.txt"));

  state.OutFile = dir.File("saknad-mapp/ut.mrc"); // a run refused before its first record
  model.btnStartClick();
  EXPECT_TRUE(model.ResultLines.empty());
  EXPECT_FALSE(model.ReportFile);
}

TEST_F(MainWindowModel, AReportIsLeftBesideTheOutputOnlyWhenARecordWasNotWritten) {
  SetFiles();
  state.SourceIsIso = false;
  const std::string report = dir.Write("ut.mrc.rapport.txt", "from an earlier run");
  model.btnStartClick(); // every record written: the old report goes
  EXPECT_FALSE(model.ReportFile);
  EXPECT_FALSE(std::filesystem::exists(report));
  EXPECT_EQ(model.ResultLines.back(), "  Ej skrivna: 0");

  state.InFile = dir.Write("in.mrc", "*001 12\r\n*500  $aX\r\n^\r\n");
  model.btnStartClick();
  ASSERT_EQ(model.ReportFile, report);
  EXPECT_NE(ReadAll(report).find("\r\n1\t12\t\tSaknar titel (245/295)\r\n"), std::string::npos);
  EXPECT_TRUE(state.ReportFile.empty()); // the report belongs to the run, not to the settings
}

TEST_F(MainWindowModel, ThePreviewShowsTheFirstRecordsOrTellsWhyItCannot) {
  EXPECT_FALSE(model.PreviewEnabled()); // no input
  SetFiles();
  state.OutFile = std::string(NoFileCaption); // the preview needs no output
  std::size_t shown = 0;
  host.Preview = [&](TPreviewModel& preview) { shown = preview.Records.size(); };
  state.SourceIsIso = false;
  ASSERT_TRUE(model.Enabled(Item("mnuPreview")));
  model.MenuClick(Item("mnuPreview"));
  EXPECT_EQ(shown, 1U);
  EXPECT_TRUE(shell.Msg.Boxes.empty());

  state.SourceIsIso = true; // the line-format input read as ISO 2709: no record
  shown = 0;
  model.mnuPreviewClick();
  EXPECT_EQ(shown, 0U);
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Error);
  EXPECT_NE(shell.Msg.Boxes[0].Text.find("inneh\xe5ller inga poster i Iso2709-format"), std::string::npos);
}

struct TCloseCase {
  bool Answer;
  bool Cancelled;
  int Closes;
};

TEST_F(MainWindowModel, ClosingDuringARunAsksAndClosesOnlyOnYesWhenTheRunHasStopped) {
  EXPECT_TRUE(model.FormCloseQuery()); // idle: no question
  EXPECT_TRUE(shell.Msg.Boxes.empty());
  SetFiles();
  state.SourceIsIso = false;
  for (const TCloseCase& c : {TCloseCase{false, false, 0}, TCloseCase{true, true, 1}}) {
    SCOPED_TRACE(c.Answer);
    shell.Msg.Boxes.clear();
    shell.Msg.Answers = {c.Answer};
    std::optional<bool> mayClose;
    shell.Api.OnProcess = [&](int) {
      if (!mayClose) mayClose = model.FormCloseQuery() || host.Closes > 0; // never closed during the run
    };
    model.btnStartClick();
    EXPECT_EQ(mayClose, false);
    ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
    EXPECT_EQ(shell.Msg.Boxes[0].Text, "S\xe4kert du vill avbryta?");
    EXPECT_EQ(shell.Frame.Cancelled, c.Cancelled);
    EXPECT_EQ(host.Closes, c.Closes);
  }
}

TEST_F(MainWindowModel, ADroppedOutputKeepsItsNameAndNothingIsTakenDuringARun) {
  SetFiles();
  state.SourceIsIso = false;
  shell.Api.OnProcess = [&](int) { model.FileDropped(dir.File("annan.mrc"), false); };
  model.btnStartClick();
  EXPECT_EQ(state.InFile, dir.File("in.mrc"));
  model.FileDropped(dir.File("ut"), true);
  EXPECT_EQ(state.OutFile, dir.File("ut")); // no ".mrc" added
  EXPECT_EQ(ini.Values["filer/utfil"], dir.File("ut"));
}

TEST_F(MainWindowModel, AChosenFileThatCannotBeStoredInTheSettingsIsReported) {
  TIniFile unwritable(dir.File("saknad-mapp/kelvokonv.ini"));
  TMainWindowModel other{state, unwritable, shell.Frame, host};
  host.Picks = {dir.File("in.mrc")};
  other.btnInfilClick();
  EXPECT_EQ(state.InFile, dir.File("in.mrc"));
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Error);
  EXPECT_EQ(shell.Msg.Boxes[0].Text,
            "Kan ej spara inst\xe4llningarna i " + dir.File("saknad-mapp/kelvokonv.ini"));
}

TEST_F(MainWindowModel, QuitClosesTheWindow) {
  model.MenuClick(Item("mnuAvsluta"));
  EXPECT_EQ(host.Closes, 1);
}

TEST_F(MainWindowModel, CancelAsksWithTheTitleOnlyDuringARun) {
  SetFiles();
  state.SourceIsIso = false;
  state.Title = "Kelvo konvertering. Profil: SorvM21/KV2/Sorvia";
  model.btnCancelClick(); // idle: nothing to cancel
  EXPECT_TRUE(shell.Msg.Boxes.empty());
  shell.Msg.Answers = {true};
  shell.Api.OnProcess = [&](int) { model.btnCancelClick(); };
  model.btnStartClick();
  EXPECT_TRUE(shell.Frame.Cancelled);
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_EQ(shell.Msg.Boxes[0].Text, "S\xe4kert du vill avbryta?");
  EXPECT_EQ(shell.Msg.Boxes[0].Caption, state.Title);
}

} // namespace
} // namespace kelvo
