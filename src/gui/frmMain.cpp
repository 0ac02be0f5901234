#include "gui/frmMain.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "app/AppPaths.h"
#include "app/StartUp.h"
#include "gui/PathLabel.h"
#include "gui/QtText.h"
#include "gui/frmMarcFilter.h"
#include "gui/frmPreview.h"

namespace kelvo::gui {

namespace {

std::string ProgramFileOf(const TMainWindowOptions& o) {
  if (!o.ProgramFile.empty()) return o.ProgramFile;
  std::string file = ProgramFilePath();
  return file.empty() ? ToFileName(QCoreApplication::applicationFilePath()) : file;
}

std::string SettingsFileOf(const TMainWindowOptions& o) {
  return o.SettingsFile.empty() ? SettingsFileFor(ProgramFileOf(o)) : o.SettingsFile;
}

// Lines of the result panel shown without scrolling.
constexpr int MaxResultRows = 12;

TPathLabel* FileLabel(const char* name) {
  auto* label = new TPathLabel;
  label->setObjectName(QString::fromLatin1(name));
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

// The one local file that a drag carries, or none.
std::optional<std::string> DraggedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
    return std::nullopt;
  const std::string name = ToFileName(data->urls().constFirst().toLocalFile());
  if (DirectoryExists(name)) return std::nullopt;
  return name;
}

bool Contains(const QWidget& widget, const QWidget& ancestor, QPoint position) {
  return widget.rect().contains(widget.mapFrom(&ancestor, position));
}

QPushButton* Button(const char* name, const QString& caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

} // namespace

QStringList QtNameFilters(std::string_view filter) {
  QStringList filters;
  std::string rest(filter);
  while (!rest.empty()) {
    const std::string description = NextToken(rest, '|');
    std::string pattern = NextToken(rest, '|');
    if (pattern == "*.*") pattern = "*"; // every file, also one without an extension
    // The dialog hides the last parenthesis, so the description shows as it is.
    filters << FromCp1252(description) + QStringLiteral(" (") + FromCp1252(pattern) + QStringLiteral(")");
  }
  return filters;
}

TfrmMain::TfrmMain(const TMainWindowOptions& options, QWidget* parent)
    : QMainWindow(parent), firstArgument_(options.FirstArgument), settings_(SettingsFileOf(options)),
      frame_(*this, options.Api ? *options.Api : ownApi_, options.Msg ? *options.Msg : ownMsg_, &settings_),
      model_(state_, settings_, frame_, *this) {
  SetProgramPaths(state_, ProgramFileOf(options));
  ownMsg_.SetOwner(this);
  setObjectName(QStringLiteral("frmMain"));
  setAcceptDrops(true);
  BuildMenus();
  BuildControls();
  resize(600, 240);
  ShowState();
}

TfrmMain::~TfrmMain() = default;

QAction* TfrmMain::Action(std::string_view name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

void TfrmMain::BuildMenus() {
  QMenu* menus[std::size(Menus)];
  for (std::size_t i = 0; i < std::size(Menus); ++i) {
    menus[i] = menuBar()->addMenu(FromCp1252(Menus[i].Caption));
    menus[i]->setObjectName(FromCp1252(Menus[i].Name));
  }
  for (const TMenuItem& item : MenuItems()) {
    QMenu* menu = menus[item.Menu];
    if (item.Command == TMenuCommand::CharsetMenu) {
      actions_[item.Name] = BuildCharsetMenu(*menu, item);
      continue;
    }
    QAction* action =
        item.Command == TMenuCommand::None ? menu->addSeparator() : menu->addAction(FromCp1252(item.Caption));
    action->setObjectName(FromCp1252(item.Name));
    action->setCheckable(item.Check != nullptr);
    if (item.Command != TMenuCommand::None)
      connect(action, &QAction::triggered, this, [this, &item] { Clicked(item); });
    actions_[item.Name] = action;
  }
}

QAction* TfrmMain::BuildCharsetMenu(QMenu& menu, const TMenuItem& item) {
  QMenu* sub = menu.addMenu(FromCp1252(item.Caption));
  sub->menuAction()->setObjectName(FromCp1252(item.Name));
  auto* group = new QActionGroup(sub);
  for (const TCharsetItem& choice : CharsetItems) {
    QAction* action = sub->addAction(FromCp1252(choice.Caption));
    action->setObjectName(FromCp1252(choice.Name));
    action->setCheckable(true);
    group->addAction(action);
    connect(action, &QAction::triggered, this, [this, &choice] {
      model_.mnuCharsetClick(choice);
      ShowState();
    });
    actions_[choice.Name] = action;
  }
  return sub->menuAction();
}

void TfrmMain::BuildControls() {
  auto* central = new QWidget;
  auto* files = new QGridLayout;
  btnInfil_ = Button("btnInfil", QStringLiteral("Infil..."));
  btnInfil_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
  btnUtfil_ = Button("btnUtfil", QStringLiteral("Utfil..."));
  btnUtfil_->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  lblInfil_ = FileLabel("lblInfil");
  lblUtfil_ = FileLabel("lblUtfil");
  files->addWidget(btnInfil_, 0, 0);
  files->addWidget(lblInfil_, 0, 1);
  files->addWidget(btnUtfil_, 1, 0);
  files->addWidget(lblUtfil_, 1, 1);
  files->setColumnStretch(1, 1);

  // Starta and Avbryt share one place; a run shows the one, idle the other.
  btnStart_ = Button("btnStart", QStringLiteral("Starta"));
  btnCancel_ = Button("btnCancel", QStringLiteral("Avbryt..."));
  btnCancel_->hide();
  btnPreview_ = Button("btnPreview", QStringLiteral("F\u00f6rhandsgranska..."));
  auto* buttons = new QGridLayout;
  buttons->addWidget(btnStart_, 0, 0);
  buttons->addWidget(btnCancel_, 0, 0);
  buttons->addWidget(btnPreview_, 0, 1);
  buttons->setColumnStretch(2, 1);

  gauge_ = new QProgressBar;
  gauge_->setObjectName(QStringLiteral("Gauge1"));
  gauge_->setRange(0, 100);
  gauge_->setValue(0);
  pnlMsg_ = new QLabel;
  pnlMsg_->setObjectName(QStringLiteral("pnlMsg"));
  pnlMsg_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnlMsg_->setMinimumHeight(pnlMsg_->fontMetrics().height() + 6);

  auto* layout = new QVBoxLayout(central);
  layout->addLayout(files);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->addWidget(BuildResultPanel(), 1);
  layout->addStretch(1);
  layout->addWidget(gauge_);
  layout->addWidget(pnlMsg_);
  setCentralWidget(central);

  connect(btnInfil_, &QPushButton::clicked, this, [this] {
    model_.btnInfilClick();
    ShowState();
  });
  connect(btnUtfil_, &QPushButton::clicked, this, [this] {
    model_.btnUtfilClick();
    ShowState();
  });
  connect(btnStart_, &QPushButton::clicked, this, [this] {
    model_.btnStartClick();
    ShowState();
  });
  connect(btnCancel_, &QPushButton::clicked, this, [this] { model_.btnCancelClick(); });
  connect(btnPreview_, &QPushButton::clicked, this, [this] {
    model_.mnuPreviewClick();
    ShowState();
  });
}

QWidget* TfrmMain::BuildResultPanel() {
  pnlResult_ = new QWidget;
  pnlResult_->setObjectName(QStringLiteral("pnlResult"));
  txtResult_ = new QPlainTextEdit;
  txtResult_->setObjectName(QStringLiteral("txtResult"));
  txtResult_->setReadOnly(true);
  txtResult_->setLineWrapMode(QPlainTextEdit::NoWrap);
  btnOpenFolder_ = Button("btnOpenFolder", QStringLiteral("\u00d6ppna mappen"));
  btnOpenFolder_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  btnOpenReport_ = Button("btnOpenReport", QStringLiteral("\u00d6ppna rapporten"));
  btnOpenReport_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnOpenFolder_);
  buttons->addWidget(btnOpenReport_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(pnlResult_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(txtResult_, 1);
  layout->addLayout(buttons);
  pnlResult_->hide();
  connect(btnOpenFolder_, &QPushButton::clicked, this, [this] { model_.btnOpenFolderClick(); });
  connect(btnOpenReport_, &QPushButton::clicked, this, [this] { model_.btnOpenReportClick(); });
  return pnlResult_;
}

void TfrmMain::ShowResult() {
  QStringList lines;
  for (const std::string& line : model_.ResultLines)
    lines << FromMessage(line);
  const QString text = lines.join(QLatin1Char('\n'));
  if (txtResult_->toPlainText() != text) {
    txtResult_->setPlainText(text);
    // Room for every line up to a dozen; the window grows to give it.
    const int rows = std::min(static_cast<int>(lines.size()), MaxResultRows);
    const int margins =
        2 * (txtResult_->frameWidth() + static_cast<int>(txtResult_->document()->documentMargin()));
    txtResult_->setMinimumHeight(rows * txtResult_->fontMetrics().lineSpacing() + margins);
  }
  pnlResult_->setVisible(!lines.isEmpty() && !model_.Busy());
  btnOpenFolder_->setEnabled(model_.OpenFolderEnabled());
  btnOpenReport_->setEnabled(model_.OpenReportEnabled());
}

void TfrmMain::Clicked(const TMenuItem& item) {
  model_.MenuClick(item);
  ShowState();
}

void TfrmMain::ShowState() {
  setWindowTitle(state_.Title.empty() ? QStringLiteral("Kelvo konvertering") : FromCp1252(state_.Title));
  lblInfil_->SetPath(FromFileName(state_.InFile));
  lblUtfil_->SetPath(FromFileName(state_.OutFile));
  for (const TMenuItem& item : MenuItems()) {
    QAction* action = Action(item.Name);
    action->setVisible(model_.Visible(item));
    if (item.Check) action->setChecked(model_.Checked(item));
    action->setEnabled(model_.Enabled(item));
  }
  for (const TCharsetItem& choice : CharsetItems)
    Action(choice.Name)->setChecked(model_.CharsetChecked(choice));
  btnStart_->setEnabled(model_.StartEnabled());
  btnPreview_->setEnabled(model_.PreviewEnabled());
  ShowResult();
}

void TfrmMain::FormActivate() {
  if (model_.Activated()) return;
  const bool done = model_.FormActivate(firstArgument_);
  ShowState();
  if (done) close();
}

void TfrmMain::SetGauge(int percent) { gauge_->setValue(percent); }

void TfrmMain::SetStatus(const std::string& text) { pnlMsg_->setText(FromMessage(text)); }

void TfrmMain::SetRunning(bool running) {
  btnStart_->setVisible(!running);
  btnCancel_->setVisible(running);
  ShowState();
}

std::optional<std::string> TfrmMain::ExecuteFileDialog(const TFileDialogRequest& request) {
  QFileDialog dialog(this);
  const bool open = request.Kind == TFileDialogKind::Open;
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  if (!open) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setSizeGripEnabled(true);
  dialog.setNameFilters(QtNameFilters(request.Filter));
  if (!request.Folder.empty()) dialog.setDirectory(FromFileName(request.Folder));
  if (!request.FileName.empty()) dialog.selectFile(FromFileName(request.FileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToFileName(dialog.selectedFiles().constFirst());
}

bool TfrmMain::ExecuteFilterEditor(TFilterEditorModel& editor) {
  TfrmMarcFilter dialog(editor, this);
  return dialog.exec() == QDialog::Accepted;
}

void TfrmMain::ExecutePreview(TPreviewModel& preview) {
  TfrmPreview dialog(preview, this);
  dialog.exec();
}

void TfrmMain::CloseWindow() { close(); }

void TfrmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !model_.Activated())
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (model_.Activated()) return;
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  // Not every platform activates a window that it shows (the offscreen one may not).
  QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!model_.FormCloseQuery()) { // a run goes on; the model closes the window when it has stopped
    event->ignore();
    return;
  }
  model_.FormClose();
  event->accept();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (!model_.Busy() && DraggedFile(event->mimeData())) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
  const auto file = DraggedFile(event->mimeData());
  if (!file) return;
  const QPoint at = event->position().toPoint();
  model_.FileDropped(*file, Contains(*lblUtfil_, *this, at) || Contains(*btnUtfil_, *this, at));
  event->acceptProposedAction();
  ShowState();
}

} // namespace kelvo::gui
