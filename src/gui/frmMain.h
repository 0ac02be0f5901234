#pragma once
// The main window: Qt widgets bound to the main-window model. The window is
// the run's view (gauge, status line, Starta/Avbryt) and the model's host
// (file dialogs, the filter editor, closing); everything it does on a click
// is the model's.
#include <QMainWindow>
#include <QStringList>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "app/IniFile.h"
#include "app/MainState.h"
#include "app/MainWindowModel.h"
#include "app/RunFrame.h"
#include "gui/QtShell.h"

class QLabel;
class QAction;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace kelvo::gui {

class TPathLabel;

struct TMainWindowOptions {
  std::string ProgramFile;   // empty: the running program's file
  std::string SettingsFile;  // empty: the program file with ".ini"
  std::string FirstArgument; // the command line's first argument (batch keywords)
  TVoMsg* Msg = nullptr;     // null: the window's own message boxes
  TVoWinApi* Api = nullptr;  // null: Qt's pending events, clipboard and desktop
};

class TfrmMain : public QMainWindow, public TRunView, public TMainWindowHost {
public:
  explicit TfrmMain(const TMainWindowOptions& options, QWidget* parent = nullptr);
  ~TfrmMain() override;

  TMainWindowModel& Model() { return model_; }
  const TMainState& State() const { return state_; }
  TRunFrame& Frame() { return frame_; }
  // The action of a menu item, by the item's name.
  QAction* Action(std::string_view name) const;

  // Shows the model's state: title, file labels, check marks, hidden items
  // and what is available.
  void ShowState();
  // The start-up sequence, once; the first activation of the window runs it
  // otherwise. In batch mode the window closes itself after a completed run.
  void FormActivate();

  // The run's view.
  void SetGauge(int percent) override;
  void SetStatus(const std::string& text) override;
  void SetRunning(bool running) override;

  // The model's host.
  std::optional<std::string> ExecuteFileDialog(const TFileDialogRequest& request) override;
  bool ExecuteFilterEditor(TFilterEditorModel& editor) override;
  void ExecutePreview(TPreviewModel& preview) override;
  void CloseWindow() override;

protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // A single file dragged onto the window becomes the input file, or the
  // output file when it is dropped on the output's label or button.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  void BuildMenus();
  // The submenu of the character sets, its radio items in actions_; returns its own action.
  QAction* BuildCharsetMenu(QMenu& menu, const TMenuItem& item);
  void BuildControls();
  // The result panel under Starta: the last run's lines and its two buttons.
  QWidget* BuildResultPanel();
  void ShowResult();
  void Clicked(const TMenuItem& item);

  std::string firstArgument_;
  TMainState state_;
  TIniFile settings_;
  TQtMsg ownMsg_;
  TQtWinApi ownApi_;
  TRunFrame frame_;
  TMainWindowModel model_;

  std::map<std::string_view, QAction*> actions_;
  QPushButton* btnInfil_ = nullptr;
  TPathLabel* lblInfil_ = nullptr;
  QPushButton* btnUtfil_ = nullptr;
  TPathLabel* lblUtfil_ = nullptr;
  QPushButton* btnStart_ = nullptr;
  QPushButton* btnCancel_ = nullptr;
  QPushButton* btnPreview_ = nullptr;
  QProgressBar* gauge_ = nullptr;
  QLabel* pnlMsg_ = nullptr;
  QWidget* pnlResult_ = nullptr;
  QPlainTextEdit* txtResult_ = nullptr;
  QPushButton* btnOpenFolder_ = nullptr;
  QPushButton* btnOpenReport_ = nullptr;
};

// The filter list of a file dialog ("description|pattern|..."), as Qt's name
// filters; "*.*" means every file, as "*" does.
QStringList QtNameFilters(std::string_view filter);

} // namespace kelvo::gui
