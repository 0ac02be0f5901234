#include "app/IniFile.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "record/vostr.h"

namespace kelvo {

int TCustomIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  return StrToIntDef(ReadString(section, key, ""), def);
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TCustomIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool TCustomIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

namespace {

constexpr std::string_view Spaces = " \t";

std::string_view TrimSpaces(std::string_view s) {
  const auto first = s.find_first_not_of(Spaces);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(Spaces) - first + 1);
}

// Where a key is, or where it would go, in the text of a settings file.
struct TKeyPlace {
  bool SectionFound = false;
  bool KeyFound = false;
  std::size_t LineBegin = 0; // the key's line, without its line end
  std::size_t LineEnd = 0;
  std::string_view Value;   // trimmed
  std::size_t InsertAt = 0; // after the last non-blank line of the section
};

TKeyPlace FindKey(std::string_view text, std::string_view section, std::string_view key) {
  TKeyPlace place;
  bool inSection = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto end = text.find('\n', pos);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::size_t contentEnd = end;
    if (contentEnd > pos && text[contentEnd - 1] == '\r') --contentEnd;
    const std::string_view line = TrimSpaces(text.substr(pos, contentEnd - pos));

    if (!line.empty() && line.front() == '[') {
      if (inSection) return place; // the first section of that name ends here
      const auto close = line.find(']');
      inSection = close != std::string_view::npos && SameText(TrimSpaces(line.substr(1, close - 1)), section);
      if (inSection) {
        place.SectionFound = true;
        place.InsertAt = next;
      }
    } else if (inSection && !line.empty()) {
      place.InsertAt = next;
      const auto eq = line.find('=');
      if (eq != std::string_view::npos && SameText(TrimSpaces(line.substr(0, eq)), key)) {
        place.KeyFound = true;
        place.LineBegin = pos;
        place.LineEnd = contentEnd;
        place.Value = TrimSpaces(line.substr(eq + 1));
        return place;
      }
    }
    pos = next;
  }
  return place;
}

// A value enclosed in a pair of quotes is read without them.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

bool ReadWholeFile(const std::string& fileName, std::string& text) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = std::move(buffer).str();
  return true;
}

// The file's own line end (that of its first line), CR LF for a new file.
std::string_view LineEndOf(std::string_view text) {
  const auto lf = text.find('\n');
  if (lf != std::string_view::npos && (lf == 0 || text[lf - 1] != '\r')) return "\n";
  return "\r\n";
}

// Writes a sibling file and renames it over the settings file, so that a
// failed write never leaves a half-written file behind.
bool StoreFile(const std::string& fileName, std::string_view text) {
  const std::string temp = fileName + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), fileName.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

} // namespace

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  std::string text;
  if (!ReadWholeFile(fileName_, text)) return std::string(def);
  const TKeyPlace place = FindKey(text, section, key);
  return std::string(place.KeyFound ? Unquote(place.Value) : def);
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string text;
  ReadWholeFile(fileName_, text); // a missing file is created
  const std::string_view eol = LineEndOf(text);
  std::string line(key);
  line += '=';
  line += value;

  const TKeyPlace place = FindKey(text, section, key);
  if (place.KeyFound) {
    text.replace(place.LineBegin, place.LineEnd - place.LineBegin, line);
  } else {
    std::string insert;
    const std::size_t at = place.SectionFound ? place.InsertAt : text.size();
    if (at > 0 && text[at - 1] != '\n') insert += eol; // the line before has no line end
    if (!place.SectionFound) {
      insert += '[';
      insert += section;
      insert += ']';
      insert += eol;
    }
    insert += line;
    insert += eol;
    text.insert(at, insert);
  }
  return StoreFile(fileName_, text);
}

} // namespace kelvo
