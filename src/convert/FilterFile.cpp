#include "convert/FilterFile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "record/MarcError.h"
#include "record/vostr.h"

namespace kelvo {

std::vector<std::string> LoadFilterLines(const std::string &fileName) {
  std::error_code ec;
  const bool exists = std::filesystem::exists(fileName, ec);
  if (!exists && !ec) return {}; // no filter file: an empty filter
  const std::string failure = "Kan inte l\xe4sa filterfilen " + fileName;
  if (ec || std::filesystem::is_directory(fileName, ec)) throw MarcError(failure);
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw MarcError(failure);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw MarcError(failure);

  // CR LF, LF and CR each end a line; a final line end adds no empty line.
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text, start, i - start);
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text, start);
  return lines;
}

std::string JoinFilterLines(const std::vector<std::string> &lines) {
  std::string text;
  for (const std::string &line : lines)
    AppendWithSep(text, line, " ");
  // The record's filter cuts at spaces only; a line end left inside a line
  // must separate entries too.
  ReplaceChars(text, '\r', ' ');
  ReplaceChars(text, '\n', ' ');
  return text;
}

} // namespace kelvo
