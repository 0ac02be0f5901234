#pragma once
// The platform services the shell uses besides the message boxes: processing
// pending events inside a long loop, the clipboard, and the desktop shell's
// "open" of a document. The window implements them with its toolkit,
// kelvokonv with the console, the tests with recording fakes.
#include <string>
#include <string_view>

namespace kelvo {

class TVoWinApi {
public:
  virtual ~TVoWinApi() = default;

  // Lets the window repaint and handle clicks (this is how Cancel is noticed);
  // called once per record by every long loop.
  virtual void ProcessMessages() = 0;
  // Puts plain text on the clipboard.
  virtual void SetClipboardText(const std::string& text) = 0;
  // Asks the desktop shell to act on a document with the verb "open" or
  // "print"; true when the shell accepted the request.
  virtual bool ShellOpen(const std::string& document, std::string_view verb) = 0;
};

} // namespace kelvo
