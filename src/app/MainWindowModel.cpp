#include "app/MainWindowModel.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "app/AppPaths.h"
#include "app/BatchHelp.h"
#include "app/FieldSurvey.h"
#include "app/FilterEditorModel.h"
#include "app/IniFile.h"
#include "app/PreviewModel.h"
#include "app/ProfileRegistry.h"
#include "app/ProfileRun.h"
#include "app/RunFrame.h"
#include "app/RunReport.h"
#include "app/Settings.h"
#include "app/StartUp.h"
#include "app/VoWinApi.h"
#include "app/voMsg.h"
#include "record/MarcError.h"
#include "record/MarcXmlReader.h"

namespace kelvo {

namespace {

using C = TMenuCommand;
using S = TMainState;

constexpr int Arkiv = 0, Konvertering = 1, Resultatseparering = 2, Hjalp = 3;

constexpr TMenuItem Items[] = {
    {Arkiv, "mnuInfil", "Infil (k\xe4llfil)...", C::ChooseInFile, nullptr, false},
    {Arkiv, "mnuUtfil", "Utfil...", C::ChooseOutFile, nullptr, false},
    {Arkiv, "mnuAvsluta", "Avsluta", C::Quit, nullptr, false},
    {Konvertering, "mnuStart", "Starta konvertering", C::Start, nullptr, false},
    {Konvertering, "mnuPreview", "F\xf6rhandsgranska", C::Preview, nullptr, false},
    {Konvertering, "Filtermarcflt1", "Filter - Marc-f\xe4lt...", C::FilterEditor, nullptr, false},
    {Konvertering, "mnuMarcFilterOn", "Filter Marc-f\xe4lt P\xc5", C::ToggleFilterOn, &S::FilterOn, false},
    {Konvertering, "mnuKonvTillKv2", "Konvertering till Kelvo 2", C::ToggleConvert, &S::ConvertToKv2, false},
    {Konvertering, "mnuSourceIsIso2709", "K\xe4llfilen har Iso2709-format", C::ToggleSourceIsIso,
     &S::SourceIsIso, false},
    {Konvertering, "mnuTeckenuppsattning", "Teckenupps\xe4ttning", C::CharsetMenu, nullptr, false},
    {Konvertering, "mnuDubbletterBort", "Dubblettrader i resultat raderas", C::ToggleDuplicateLines,
     &S::RemoveDuplicateLines, false},
    {Konvertering, "mnuFieldsInvestigate", "Unders\xf6k mrc unika f\xe4lt/delf\xe4lt (Obs! ej Iso2709)",
     C::FieldSurvey, nullptr, false},
    {Konvertering, "mnuDelim1", "", C::None, nullptr, true},
    {Konvertering, "mnuDiakriterTranslate", "TRUX - diakrit\xf6vers\xe4ttning P\xc5", C::Toggle,
     &S::DiakriterTranslate, true},
    {Konvertering, "mnuDalkOegentligaDelarSpecial", "TRUX - endast oegentliga flerbandsdelar", C::Toggle,
     &S::DalkOegentligaDelarSpecial, true},
    {Resultatseparering, "mnuPeriodicalsSep", "Periodika separeras till egen utfil", C::Toggle,
     &S::PeriodicalsSep, false},
    {Resultatseparering, "mnuPeriodicalsOutFile", "Utfil periodikaposter...", C::ChoosePeriodicalsFile,
     nullptr, false},
    {Resultatseparering, "mnuPeriodicaFileShow", "Visa dialog med uppgift om periodikautfil vid avslut",
     C::Toggle, &S::PeriodicaFileShow, false},
    {Resultatseparering, "N2", "", C::None, nullptr, false},
    {Resultatseparering, "mnuUtgallradeSeparera", "Utgallrade poster separeras till egen utfil", C::Toggle,
     &S::UtgallradeSeparera, false},
    {Resultatseparering, "mnuUtfilUtgallrade", "Utfil utgallrade...", C::ChooseWeededFile, nullptr, false},
    {Resultatseparering, "mnuUtgallradeFileShow", "Visa dialog med uppgift om utfil f\xf6r utgallrade poster",
     C::Toggle, &S::UtgallradeFileShow, false},
    {Resultatseparering, "mnuDelim3", "", C::None, nullptr, true},
    {Resultatseparering, "mnuDalkEgentligaFlerbandSepareras",
     "DalkMarc - egentliga flerbandsverk separeras till egen fil", C::Toggle,
     &S::DalkEgentligaFlerbandSepareras, true},
    {Hjalp, "mnuBatchCommands", "Batch-kommandon", C::BatchCommands, nullptr, false},
    {Hjalp, "mnuAbout", "Om...", C::About, nullptr, false},
};

std::string SettingsError(const TCustomIniFile& settings) {
  return "Kan ej spara inst\xe4llningarna i " + settings.FileName();
}

// The folder that "open folder" shows after a run: the output's, made absolute.
std::string OutputFolder(const std::string& outFile) {
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::absolute(ExtractFilePath(outFile), ec);
  return ec ? ExtractFilePath(outFile) : folder.string();
}

// The folder of a chosen file, as a dialog starts in it next time.
std::string DialogFolderOf(const std::string& fileName) {
  std::string folder = ExtractFilePath(fileName);
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

} // namespace

std::span<const TMenuItem> MenuItems() { return Items; }

const TMenuItem* FindMenuItem(std::string_view name) {
  for (const TMenuItem& item : Items)
    if (item.Name == name) return &item;
  return nullptr;
}

std::string WithMrcExtension(std::string name) {
  if (name.find('.') == std::string::npos) name += ".mrc";
  return name;
}

TMainWindowModel::TMainWindowModel(TMainState& state, TCustomIniFile& settings, TRunFrame& frame,
                                   TMainWindowHost& host)
    : State(state), Settings(settings), Frame(frame), Host(host) {}

std::string TMainWindowModel::BoxCaption() const { return ExtractFileName(State.ProgramFile); }

bool TMainWindowModel::Checked(const TMenuItem& item) const { return item.Check && State.*item.Check; }

bool TMainWindowModel::Visible(const TMenuItem& item) const {
  return !item.VendorOnly || State.VendorItemsVisible;
}

bool TMainWindowModel::Enabled(const TMenuItem& item) const {
  switch (item.Command) {
  case C::Start:
    return StartEnabled();
  case C::FieldSurvey:
    return SurveyEnabled();
  case C::Preview:
    return PreviewEnabled();
  case C::CharsetMenu: // a profile may have a character translation of its own
    if (const TProfileInfo* profile = ProfileInfo(State.Profile)) return profile->Options.Charset;
    return false;
  default:
    return true;
  }
}

bool TMainWindowModel::Busy() const { return Frame.Running(); }

// Neither loop starts inside the other: both process pending events, and so
// menu clicks, while they go.
bool TMainWindowModel::StartEnabled() const { return !Busy() && StartAvailable(State); }

bool TMainWindowModel::SurveyEnabled() const { return !Busy() && SurveyAvailable(State); }

bool TMainWindowModel::PreviewEnabled() const { return !Busy() && PreviewAvailable(State); }

bool TMainWindowModel::FormActivate(std::string_view firstArgument) {
  if (activated_) return false;
  activated_ = true;
  const bool done = RunStartUp(State, Settings, firstArgument, Frame);
  if (Frame.RecordCount > 0) RunEnded(); // a batch run
  return done;
}

bool TMainWindowModel::FormCloseQuery() {
  if (!Busy()) return true;
  Frame.CancelCommand(State.Title);
  closeWhenIdle_ = Frame.Cancelled;
  return false;
}

bool TMainWindowModel::FormClose() {
  if (WriteSettings(Settings, State)) return true;
  Frame.Msg.ErrorBox(SettingsError(Settings));
  return false;
}

void TMainWindowModel::StoreSetting(std::string_view section, std::string_view key,
                                    const std::string& value) {
  if (!Settings.WriteString(section, key, value)) Frame.Msg.ErrorBox(SettingsError(Settings));
}

void TMainWindowModel::RunEnded(const std::string& reportFile) {
  ResultLines.clear();
  ResultFolder.clear();
  ReportFile.reset();
  if (Frame.RecordCount > 0) {
    ResultLines = RunSummaryLines(Frame);
    for (const std::string& warning : Frame.Warnings)
      ResultLines.push_back("Varning: " + warning);
    ResultFolder = OutputFolder(State.OutFile);
    if (!reportFile.empty()) {
      ResultLines.push_back("Rapport: " + reportFile);
      ReportFile = reportFile;
    }
  }
  CloseWhenAsked();
}

void TMainWindowModel::CloseWhenAsked() {
  if (!closeWhenIdle_) return;
  closeWhenIdle_ = false;
  Host.CloseWindow();
}

void TMainWindowModel::btnOpenFolderClick() {
  if (OpenFolderEnabled()) Frame.Api.ShellOpen(ResultFolder, "open");
}

void TMainWindowModel::btnOpenReportClick() {
  if (OpenReportEnabled()) Frame.Api.ShellOpen(*ReportFile, "open");
}

void TMainWindowModel::MenuClick(const TMenuItem& item) {
  switch (item.Command) {
  case C::None:
  case C::CharsetMenu:
    break;
  case C::ChooseInFile:
    btnInfilClick();
    break;
  case C::ChooseOutFile:
    btnUtfilClick();
    break;
  case C::Quit:
    mnuAvslutaClick();
    break;
  case C::Start:
    btnStartClick();
    break;
  case C::Preview:
    mnuPreviewClick();
    break;
  case C::FilterEditor:
    mnuMarcFilterClick();
    break;
  case C::ToggleFilterOn:
  case C::ToggleDuplicateLines:
  case C::Toggle:
    MenuCheckToggleClick(item);
    break;
  case C::ToggleConvert:
    mnuKonvTillKv21Click();
    break;
  case C::ToggleSourceIsIso:
    mnuSourceIsIso27091Click();
    break;
  case C::FieldSurvey:
    mnuFieldsInvestigate1Click();
    break;
  case C::ChoosePeriodicalsFile:
    mnuPeriodicalsOutFileClick();
    break;
  case C::ChooseWeededFile:
    mnuUtfilUtgallradeClick();
    break;
  case C::BatchCommands:
    mnuBatchCommandsClick();
    break;
  case C::About:
    mnuAboutClick();
    break;
  }
}

std::optional<std::string> TMainWindowModel::Execute(TFileDialogKind kind, TDialogPlace& place,
                                                     std::string_view filter) {
  auto chosen = Host.ExecuteFileDialog({kind, place.Folder, place.FileName, filter});
  if (chosen) {
    place.Folder = DialogFolderOf(*chosen);
    place.FileName = ExtractFileName(*chosen);
  }
  return chosen;
}

void TMainWindowModel::SetInFile(const std::string& fileName) {
  State.InFile = fileName;
  State.Infil = fileName;
  StoreSetting("filer", "infil", fileName);
}

void TMainWindowModel::SetOutFile(const std::string& fileName) {
  State.OutFile = fileName;
  State.Utfil = fileName;
  StoreSetting("filer", "utfil", fileName);
}

void TMainWindowModel::btnInfilClick() {
  if (!inFileDialogUsed_) openDlg_.Folder = State.OpenDialogFolder;
  inFileDialogUsed_ = true;
  if (const auto chosen = Execute(TFileDialogKind::Open, openDlg_, OpenDialogFilter)) SetInFile(*chosen);
}

void TMainWindowModel::btnUtfilClick() {
  if (!outFileDialogUsed_) saveDlg_.Folder = State.SaveDialogFolder;
  outFileDialogUsed_ = true;
  if (const auto chosen = Execute(TFileDialogKind::Save, saveDlg_, SaveDialogFilter))
    SetOutFile(WithMrcExtension(*chosen));
}

void TMainWindowModel::FileDropped(const std::string& fileName, bool onOutput) {
  if (Busy()) return;
  if (onOutput)
    SetOutFile(fileName);
  else
    SetInFile(fileName);
}

void TMainWindowModel::btnStartClick() {
  if (!StartEnabled()) return;
  State.SourceIsMarcXml = LooksLikeMarcXml(State.InFile);
  // Standard output or a device has no folder beside it: then no report.
  std::optional<TRunReport> report;
  if (CanHaveFilesBeside(State.OutFile)) {
    State.ReportFile = ReportFileFor(State.OutFile);
    report.emplace(State.ReportFile).Attach(Frame);
  }
  RunProfile(State, Frame);
  State.ReportFile.clear();
  RunEnded(report ? EndReport(*report) : std::string());
}

std::string TMainWindowModel::EndReport(TRunReport& report) {
  report.Detach();
  if (Frame.RecordCount == 0) return {}; // a run refused at its start touches no file
  if (!report.HasEntries()) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(report.FileName(), ec))
      std::filesystem::remove(report.FileName(), ec);
    return {};
  }
  try {
    report.Write();
    return report.FileName();
  } catch (const MarcError& e) {
    Frame.Msg.ErrorBox(e.what());
    return {};
  }
}

void TMainWindowModel::mnuPreviewClick() {
  if (!PreviewEnabled()) return;
  TPreviewModel preview;
  if (preview.Load(State, &Settings))
    Host.ExecutePreview(preview);
  else
    Frame.Msg.ErrorBox(preview.Error);
}

void TMainWindowModel::btnCancelClick() {
  if (Frame.Running()) Frame.CancelCommand(State.Title);
}

void TMainWindowModel::mnuAvslutaClick() { Host.CloseWindow(); }

void TMainWindowModel::mnuMarcFilterClick() {
  TFilterEditorModel editor;
  try {
    editor.Load(State.FilterFile);
  } catch (const std::exception& e) {
    Frame.Msg.ErrorBox(e.what());
    return;
  }
  if (!Host.ExecuteFilterEditor(editor)) return;
  const std::string target = FilterFileToSave(State);
  if (editor.Save(target))
    State.FilterFile = target; // the user's own copy is the one read from now on
  else
    Frame.Msg.ErrorBox("Kan ej skriva filterfilen " + target);
}

void TMainWindowModel::MenuCheckToggleClick(const TMenuItem& item) {
  if (item.Check) State.*item.Check = !(State.*item.Check);
}

void TMainWindowModel::mnuKonvTillKv21Click() {
  if (!State.ConvertToKv2)
    State.ConvertToKv2 = true;
  else if (Frame.Msg.QuestionBox(ConvertOffQuestion, BoxCaption()))
    State.ConvertToKv2 = false;
}

// The window shows the survey's availability again after every click.
void TMainWindowModel::mnuSourceIsIso27091Click() { State.SourceIsIso = !State.SourceIsIso; }

void TMainWindowModel::mnuFieldsInvestigate1Click() {
  if (!SurveyEnabled()) return;
  std::optional<std::string> text;
  try {
    text = FieldSurveyText(State.InFile, Frame);
  } catch (const std::exception& e) {
    Frame.Msg.ErrorBox(e.what());
  }
  Frame.View.SetStatus("");
  if (text) {
    Frame.Api.SetClipboardText(*text);
    Frame.Msg.InfoBox(SurveyDoneText, BoxCaption());
  }
  CloseWhenAsked();
}

void TMainWindowModel::mnuPeriodicalsOutFileClick() {
  saveDlg_.Folder = DialogFolderOf(State.PeriodicalsFile);
  saveDlg_.FileName = ExtractFileName(State.PeriodicalsFile);
  if (const auto chosen = Execute(TFileDialogKind::Save, saveDlg_, SaveDialogFilter))
    State.PeriodicalsFile = *chosen;
}

void TMainWindowModel::mnuUtfilUtgallradeClick() {
  if (const auto chosen = Execute(TFileDialogKind::Save, saveDlg_, SaveDialogFilter))
    State.WeededFile = WithMrcExtension(*chosen);
}

void TMainWindowModel::mnuBatchCommandsClick() { ShowBatchHelp(State, Frame.Api, Frame.Msg); }

void TMainWindowModel::mnuAboutClick() { Frame.Msg.InfoBox(AboutText, BoxCaption()); }

} // namespace kelvo
