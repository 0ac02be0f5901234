// kelvokonv-screenshots FOLDER [ARGUMENT]: pictures of the window for
// checking how it looks. Runs the window with its program file, settings file
// and filter files in FOLDER, converts the input that the settings and
// ARGUMENT name, and saves PNG pictures there: the main window before, during
// and after the run (once with a report), the summary box, the preview, the
// About box and the filter editor.
// Prints the names of the pictures written, one a line; exits with 0 when all
// were written.
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "gui/AppIdentity.h"
#include "gui/QtText.h"
#include "gui/frmMain.h"
#include "gui/frmMarcFilter.h"
#include "gui/frmPreview.h"

namespace kelvo::gui {
namespace {

class TPictures {
public:
  explicit TPictures(std::string folder) : folder_(std::move(folder)) {}

  void Save(QWidget& widget, const std::string& name) {
    QCoreApplication::processEvents();
    const std::string file = folder_ + "/" + name + ".png";
    if (widget.grab().save(FromFileName(file), "PNG"))
      std::printf("%s\n", file.c_str());
    else
      failed_ = true;
  }
  bool Failed() const { return failed_; }

private:
  std::string folder_;
  bool failed_ = false;
};

// Boxes are shown without waiting, pictured and answered: OK, and Yes to a question.
class TPicturedMsg : public TQtMsg {
public:
  explicit TPicturedMsg(TPictures& pictures) : pictures_(pictures) {}
  std::string NextName = "box";

protected:
  int Execute(QMessageBox& box) override {
    box.show();
    pictures_.Save(box, NextName);
    box.hide();
    return box.standardButtons().testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
  }

private:
  TPictures& pictures_;
};

// Pictures the window once while a run goes on.
class TPicturedApi : public TQtWinApi {
public:
  explicit TPicturedApi(TPictures& pictures) : pictures_(pictures) {}
  TfrmMain* Window = nullptr;

  void ProcessMessages() override {
    TQtWinApi::ProcessMessages();
    if (Window && Window->Frame().Running() && !taken_) {
      taken_ = true;
      pictures_.Save(*Window, "main-during-run");
    }
  }

private:
  TPictures& pictures_;
  bool taken_ = false;
};

int GrabWidgets(const std::string& folder, const std::string& argument) {
  TPictures pictures(folder);
  TPicturedMsg msg(pictures);
  TPicturedApi api(pictures);
  TMainWindowOptions options;
  options.ProgramFile = folder + "/kelvokonv-gui";
  options.FirstArgument = argument;
  options.Msg = &msg;
  options.Api = &api;
  TfrmMain window(options);
  msg.SetOwner(&window);
  api.Window = &window;
  window.show();
  window.FormActivate();
  pictures.Save(window, "main-before-run");

  msg.NextName = "summary-box";
  if (auto* start = window.findChild<QPushButton*>(QStringLiteral("btnStart"))) start->click();
  pictures.Save(window, "main-after-run"); // with the result panel

  // The preview of the same input: its first record, and one that goes to a side file.
  TPreviewModel preview;
  if (preview.Load(window.State(), &window.Model().Settings)) {
    TfrmPreview previewDialog(preview, &window);
    previewDialog.show();
    pictures.Save(previewDialog, "preview");
    for (int i = 0; i < 3; ++i)
      preview.Next();
    previewDialog.ShowState();
    pictures.Save(previewDialog, "preview-side-file");
    previewDialog.hide();
  } else {
    std::fprintf(stderr, "%s\n", preview.Error.c_str());
  }

  // A long input name with national letters, dropped on the window: elided in the middle.
  const std::string longFolder = folder + "/Leveranser fr\xc3\xa5n \xc3\x96stersunds bibliotek/" +
                                 "m\xc3\xa5nadsleveranser med s\xc3\xa4rskilda poster f\xc3\xb6r " +
                                 "\xc3\xa5terv\xc3\xa4ndning i katalogen";
  std::error_code ec;
  std::filesystem::create_directories(longFolder, ec);
  const std::string longFile = longFolder + "/s\xc3\xa4rskilda poster \xc3\xa5r 2024.mrc";
  std::filesystem::copy_file(window.State().InFile, longFile,
                             std::filesystem::copy_options::overwrite_existing, ec);
  window.Model().FileDropped(longFile, false);
  window.ShowState();
  pictures.Save(window, "main-long-path");

  // A run that leaves a record out: the result panel names the report.
  const std::string leftOut = folder + "/med-post-utan-titel.mrc";
  std::filesystem::copy_file(longFile, leftOut, std::filesystem::copy_options::overwrite_existing, ec);
  if (FILE* file = std::fopen(leftOut.c_str(), "ab")) {
    std::fputs("*001 SAKNAR-TITEL\r\n*500  $aEn post utan 245\r\n^\r\n", file);
    std::fclose(file);
  }
  window.Model().FileDropped(leftOut, false);
  window.Model().State.PeriodicalsSep = window.Model().State.UtgallradeSeparera = false; // no summary box
  if (auto* start = window.findChild<QPushButton*>(QStringLiteral("btnStart"))) start->click();
  pictures.Save(window, "main-after-run-report");

  msg.NextName = "about-box";
  window.Model().mnuAboutClick();

  TFilterEditorModel editor;
  editor.Load(window.State().FilterFile);
  TfrmMarcFilter dialog(editor, &window);
  dialog.show();
  editor.lbxExcludeClick(0);
  dialog.ShowState();
  if (auto* tag = dialog.findChild<QLineEdit*>(QStringLiteral("edMarcFieldTag"))) tag->setText("650");
  if (auto* codes = dialog.findChild<QLineEdit*>(QStringLiteral("edSubFields"))) codes->setText("xyz");
  pictures.Save(dialog, "filter-editor");
  dialog.hide();

  window.close();
  return pictures.Failed() ? 1 : 0;
}

} // namespace
} // namespace kelvo::gui

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kelvo::gui::SetApplicationIdentity();
  if (argc < 2) {
    std::fprintf(stderr, "Anrop: kelvokonv-screenshots MAPP [ARGUMENT]\n");
    return 2;
  }
  return kelvo::gui::GrabWidgets(argv[1], argc > 2 ? argv[2] : "");
}
