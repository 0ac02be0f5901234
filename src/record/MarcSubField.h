#pragma once
// One subfield: a code character and its text.
#include <string>
#include <string_view>

namespace kelvo {

class TMarcSubField {
public:
  TMarcSubField() = default;
  TMarcSubField(char code, std::string_view value) : Code(code), Value(value) {}

  bool Deleted = false; // suppressed on output (field filter); stays in the list
  char Code = '\0';
  std::string Value;

  // delimiter + Code + Value
  std::string AsText(char delimiter) const;
  // Non-empty text: Code := first character, Value := the rest. Empty text: no change.
  void SetText(std::string_view text);
  // Appends text, with separator between only when old value and text are both non-blank.
  void AppendText(std::string_view text, std::string_view separator);
  void ReplaceChar(char from, char to);
};

} // namespace kelvo
