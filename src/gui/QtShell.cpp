#include "gui/QtShell.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "gui/QtText.h"

namespace kelvo::gui {

bool TQtMsg::ShowBox(TMsgKind kind, std::string_view text, std::string_view caption) {
  QMessageBox box(owner_);
  box.setWindowTitle(FromMessage(caption));
  box.setText(FromMessage(text));
  box.setTextFormat(Qt::PlainText);
  switch (kind) {
  case TMsgKind::Error:
  case TMsgKind::Warning:
    box.setIcon(QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Ok);
    break;
  case TMsgKind::Question:
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nej"));
    break;
  case TMsgKind::Information:
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    break;
  }
  return Execute(box) == QMessageBox::Yes;
}

int TQtMsg::Execute(QMessageBox& box) { return box.exec(); }

void TQtWinApi::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TQtWinApi::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(FromCp1252(text));
}

bool TQtWinApi::ShellOpen(const std::string& document, std::string_view verb) {
  if (verb != "open") return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(FromFileName(document)));
}

} // namespace kelvo::gui
