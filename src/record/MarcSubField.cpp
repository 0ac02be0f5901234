#include "record/MarcSubField.h"

#include <algorithm>

#include "record/vostr.h"

namespace kelvo {

std::string TMarcSubField::AsText(char delimiter) const {
  std::string text;
  text.reserve(Value.size() + 2);
  text += delimiter;
  text += Code;
  text += Value;
  return text;
}

void TMarcSubField::SetText(std::string_view text) {
  if (text.empty()) return;
  Code = text.front();
  Value.assign(text.substr(1));
}

void TMarcSubField::AppendText(std::string_view text, std::string_view separator) {
  AppendWithSep(Value, text, separator);
}

void TMarcSubField::ReplaceChar(char from, char to) { ReplaceChars(Value, from, to); }

} // namespace kelvo
