#include "convert/FilterFile.h"

#include "record/FileText.h"
#include "record/vostr.h"

namespace kelvo {

std::vector<std::string> LoadFilterLines(const std::string& fileName, std::string_view what) {
  return SplitFilterLines(ReadFileText(fileName, MaxFilterFileSize, what).Text);
}

std::vector<std::string> SplitFilterLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinFilterLines(const std::vector<std::string>& lines) {
  std::string text;
  bool hasText = false; // text is not blank: kept as the lines go, so joining stays linear
  for (const std::string& line : lines) {
    const bool blank = IsBlank(line);
    if (hasText && !blank) text += ' ';
    text += line;
    hasText = hasText || !blank;
  }
  // The record's filter cuts at spaces only; a line end left inside a line
  // must separate entries too.
  ReplaceChars(text, '\r', ' ');
  ReplaceChars(text, '\n', ' ');
  return text;
}

} // namespace kelvo
