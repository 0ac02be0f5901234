#pragma once
// The main window without its toolkit: the menus with their captions, check
// marks and visibility, when Start and the field survey are available, and
// what every button and menu item does. The window builds its menu bar from
// MenuItems, forwards each click here and then shows the state again
// (labels, check marks, enabled items); the tests drive the same handlers
// with recording fakes.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainState.h"

namespace kelvo {

class TCustomIniFile;
class TFilterEditorModel;
class TPreviewModel;
class TRunReport;
class TRunFrame;

// The commands behind the menu items; the names are those of the window's handlers.
enum class TMenuCommand {
  None,                  // a separator
  ChooseInFile,          // btnInfilClick
  ChooseOutFile,         // btnUtfilClick
  Quit,                  // mnuAvslutaClick
  Start,                 // btnStartClick
  Preview,               // mnuPreviewClick
  FilterEditor,          // mnuMarcFilterClick
  ToggleFilterOn,        // mnuMarcFilterOnClick
  ToggleConvert,         // mnuKonvTillKv21Click
  ToggleSourceIsIso,     // mnuSourceIsIso27091Click
  ToggleDuplicateLines,  // mnuDubbletterBortClick
  FieldSurvey,           // mnuFieldsInvestigate1Click
  Toggle,                // MenuCheckToggleClick
  ChoosePeriodicalsFile, // mnuPeriodicalsOutFileClick
  ChooseWeededFile,      // mnuUtfilUtgallradeClick
  BatchCommands,         // mnuBatchCommandsClick
  About,                 // mnuAboutClick
  CharsetMenu,           // the submenu of CharsetItems
};

struct TMenuInfo {
  std::string_view Name;
  std::string_view Caption;
};

// The top level of the menu bar, left to right.
inline constexpr TMenuInfo Menus[] = {
    {"mnuArkiv", "Arkiv"},
    {"Konvertering1", "Konvertering"},
    {"mnuResultatSeparering", "Resultatseparering"},
    {"mnuHelp", "Hj\xe4lp"},
};

struct TMenuItem {
  int Menu; // index into Menus
  std::string_view Name;
  std::string_view Caption; // empty for a separator
  TMenuCommand Command;
  bool TMainState::*Check; // the switch the check mark shows; null for an item without one
  bool VendorOnly;         // shown only in profile 2
};

// The radio items of the submenu "Teckenupps\xe4ttning" (CharsetMenu): the
// character set of the input, the setting "teckenuppsattning".
struct TCharsetItem {
  std::string_view Name;
  std::string_view Caption;
  std::string_view Charset; // the value of TMainState::Charset
};

inline constexpr TCharsetItem CharsetItems[] = {
    {"mnuCharsetAuto", "Automatiskt (UTF-8 enligt posthuvudet, annars 1252)", "auto"},
    {"mnuCharsetUtf8", "UTF-8", "utf-8"},
    {"mnuCharsetMarc8", "MARC-8", "marc-8"},
    {"mnuCharsetCp1252", "Teckentabell 1252 (ingen omkodning)", "cp1252"},
};

// Every item of the menu bar, menu by menu, top to bottom.
std::span<const TMenuItem> MenuItems();
// The item of that name, or none.
const TMenuItem* FindMenuItem(std::string_view name);

// The file dialogs' filter lists: description and pattern, separated by "|".
inline constexpr std::string_view OpenDialogFilter = "Alla|*.*";
inline constexpr std::string_view SaveDialogFilter = "Kelvo exp/imp (*.mrc)|*.mrc|Alla (*.*)|*.*";

inline constexpr std::string_view ConvertOffQuestion =
    "S\xe4kert att du vill st\xe4nga av konvertering till Kelvo? Med konverteringsflaggan avst\xe4ngd, "
    "l\xe4ggs Sorvia-filen ut som text utan n\xe5gra \xe4ndringar.";
inline constexpr std::string_view SurveyDoneText = "Resultatet finns i klippbordet";
// The About box: the version line and the credits, one a line.
inline constexpr std::string_view AboutText = "Ver 3.16, 4 dec, 2006\r\n"
                                              "Utveckling: Kelvo-projektets utvecklargrupp\r\n"
                                              "R\xe5"
                                              "dgivning: Katalogiseringsgruppen f\xf6r Kelvo\r\n"
                                              "Uppdragsgivare: Biblioteken som anv\xe4nder Kelvo";

// A name without any "." gets ".mrc"; a "." anywhere, the folder included,
// keeps the name as it is.
std::string WithMrcExtension(std::string name);

enum class TFileDialogKind { Open, Save };

// One dialog as the window is to show it. The dialog remembers where it was
// left (folder and file name) between two uses.
struct TFileDialogRequest {
  TFileDialogKind Kind;
  std::string Folder;   // initial folder, without a trailing separator
  std::string FileName; // preset name, without its folder
  std::string_view Filter;
};

// What the model asks of the window besides the run view.
class TMainWindowHost {
public:
  virtual ~TMainWindowHost() = default;
  // A modal file dialog; the full name chosen, or none when cancelled.
  virtual std::optional<std::string> ExecuteFileDialog(const TFileDialogRequest& request) = 0;
  // The filter editor, modally; true when it was closed with OK.
  virtual bool ExecuteFilterEditor(TFilterEditorModel& editor) = 0;
  // The preview of the first records, modally.
  virtual void ExecutePreview(TPreviewModel& preview) = 0;
  virtual void CloseWindow() = 0;
};

class TMainWindowModel {
public:
  // The frame's view is the window; the settings file lives as long as the model.
  TMainWindowModel(TMainState& state, TCustomIniFile& settings, TRunFrame& frame, TMainWindowHost& host);

  TMainState& State;
  TCustomIniFile& Settings;
  TRunFrame& Frame;
  TMainWindowHost& Host;

  // The program file without its folder: the caption of the shell's boxes.
  std::string BoxCaption() const;

  // What the window shows.
  bool Checked(const TMenuItem& item) const;
  bool Visible(const TMenuItem& item) const;
  bool Enabled(const TMenuItem& item) const;
  bool StartEnabled() const;   // btnStart and mnuStart
  bool SurveyEnabled() const;  // mnuFieldsInvestigate
  bool PreviewEnabled() const; // btnPreview and mnuPreview
  bool Busy() const;           // a run or a field survey is going on

  // The result panel after a run: RunSummaryLines, the run's warnings and
  // the line "Rapport: <file>" (empty before the first run and after one
  // that read no record), the folder of its output, and its report once one
  // was written. A run writes "<output>.rapport.txt" beside its output when
  // a record was not written or a character replaced, and otherwise removes
  // an old one, so that the folder shows no report of an earlier run.
  std::vector<std::string> ResultLines;
  std::string ResultFolder;
  std::optional<std::string> ReportFile;
  bool OpenFolderEnabled() const { return !Busy() && !ResultFolder.empty(); }
  bool OpenReportEnabled() const { return !Busy() && ReportFile.has_value(); }
  // Asks the desktop to open the output's folder, or the report.
  void btnOpenFolderClick();
  void btnOpenReportClick();

  // The first activation of the window runs the start-up sequence once.
  // True when the window is to close: a batch run that completed.
  bool FormActivate(std::string_view firstArgument);
  bool Activated() const { return activated_; }
  // Whether the window may close now. During a run or a survey it asks the
  // question of Cancel: No keeps the window and the work going; Yes cancels
  // it, and the window closes (Host.CloseWindow) once the work has stopped.
  bool FormCloseQuery();
  // Closing the window: the settings written at close; false (and the error
  // box) when the file could not be stored.
  bool FormClose();
  // A file dropped on the window: the input file, or on the output's label
  // the output file (its name as it is). Nothing while a run goes on.
  void FileDropped(const std::string& fileName, bool onOutput);

  // A click on a menu item.
  void MenuClick(const TMenuItem& item);

  void btnInfilClick();
  void btnUtfilClick();
  void btnStartClick();
  // The preview of the first records (error box when the input cannot be read).
  void mnuPreviewClick();
  void btnCancelClick();
  void mnuAvslutaClick();
  void mnuMarcFilterClick();
  void MenuCheckToggleClick(const TMenuItem& item);
  void mnuKonvTillKv21Click();
  void mnuSourceIsIso27091Click();
  void mnuFieldsInvestigate1Click();
  void mnuPeriodicalsOutFileClick();
  void mnuUtfilUtgallradeClick();
  void mnuBatchCommandsClick();
  void mnuAboutClick();
  bool CharsetChecked(const TCharsetItem& item) const { return State.Charset == item.Charset; }
  void mnuCharsetClick(const TCharsetItem& item) { State.Charset = std::string(item.Charset); }

private:
  void SetInFile(const std::string& fileName);
  void SetOutFile(const std::string& fileName);
  // A value stored at once in the settings file; one that cannot be stored in the error box.
  void StoreSetting(std::string_view section, std::string_view key, const std::string& value);
  // After a run: the result panel's lines, folder and report, then CloseWhenAsked.
  void RunEnded(const std::string& reportFile = {});
  // The run's report written, or an old one removed when there is nothing to
  // report; the report's name, or empty when there is none (an error box
  // when it could not be written).
  std::string EndReport(TRunReport& report);
  // Closes the window when a close during the run or survey waited for its end.
  void CloseWhenAsked();

  struct TDialogPlace {
    std::string Folder;
    std::string FileName;
  };
  std::optional<std::string> Execute(TFileDialogKind kind, TDialogPlace& place, std::string_view filter);

  TDialogPlace openDlg_;
  TDialogPlace saveDlg_;
  bool inFileDialogUsed_ = false;
  bool outFileDialogUsed_ = false;
  bool activated_ = false;
  bool closeWhenIdle_ = false;
};

} // namespace kelvo
