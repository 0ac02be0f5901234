#pragma once
// The three modal message boxes of the shell. The window shows them as dialogs,
// kelvokonv writes them to the terminal, tests record them. The captions of
// the error and question boxes are fixed here so that every implementation
// shows the same texts.
#include <string>
#include <string_view>

namespace kelvo {

enum class TMsgKind { Error, Warning, Question, Information };

inline constexpr std::string_view ErrorCaption = "Felmeddelande";
inline constexpr std::string_view WarningCaption = "Varning";
inline constexpr std::string_view QuestionCaption = "Fr\xe5ga";

class TVoMsg {
public:
  virtual ~TVoMsg() = default;

  // OK button, exclamation icon, caption "Felmeddelande".
  void ErrorBox(std::string_view text) {
    ShowBox(TMsgKind::Error, text, ErrorCaption);
    LastAnswer = false;
  }
  // OK button, warning icon, caption "Varning": the run ended but not as asked.
  void WarningBox(std::string_view text) {
    ShowBox(TMsgKind::Warning, text, WarningCaption);
    LastAnswer = false;
  }
  // Yes and No, question icon; caption "Fråga" when none is given. True on Yes.
  bool QuestionBox(std::string_view text, std::string_view caption = {}) {
    LastAnswer = ShowBox(TMsgKind::Question, text, caption.empty() ? QuestionCaption : caption);
    return LastAnswer;
  }
  // OK button, no icon.
  void InfoBox(std::string_view text, std::string_view caption) {
    ShowBox(TMsgKind::Information, text, caption);
    LastAnswer = false;
  }

  // The answer of the last box: true when a question was answered Yes, false after an OK box.
  bool LastAnswer = false;

protected:
  // Shows one modal box and waits; returns true when a question is answered Yes
  // (the result of an OK box is not used).
  virtual bool ShowBox(TMsgKind kind, std::string_view text, std::string_view caption) = 0;
};

} // namespace kelvo
