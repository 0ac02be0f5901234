#pragma once
// The shell's message boxes and platform services with Qt: modal
// QMessageBoxes, the pending events of the application, QClipboard and
// QDesktopServices.
#include <string>
#include <string_view>

#include "app/VoWinApi.h"
#include "app/voMsg.h"

class QMessageBox;
class QWidget;

namespace kelvo::gui {

class TQtMsg : public TVoMsg {
public:
  // The window the boxes belong to (centred on it, modal to it).
  void SetOwner(QWidget* owner) { owner_ = owner; }

protected:
  bool ShowBox(TMsgKind kind, std::string_view text, std::string_view caption) override;
  // Shows the prepared box and waits for the answer (a QMessageBox button).
  virtual int Execute(QMessageBox& box);

private:
  QWidget* owner_ = nullptr;
};

class TQtWinApi : public TVoWinApi {
public:
  void ProcessMessages() override;
  void SetClipboardText(const std::string& text) override;
  // Only "open" is supported: the desktop's handler of the document's type.
  bool ShellOpen(const std::string& document, std::string_view verb) override;
};

} // namespace kelvo::gui
