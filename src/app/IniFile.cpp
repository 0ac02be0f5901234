#include "app/IniFile.h"

#include <sys/stat.h>

#include "app/AppPaths.h"
#include "record/MarcError.h"
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
constexpr std::string_view ByteOrderMark = "\xef\xbb\xbf";

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
  std::size_t pos = text.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
  while (pos < text.size()) {
    // CR LF, LF and a lone CR each end a line.
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::size_t next = end;
    if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    const std::string_view line = TrimSpaces(text.substr(pos, end - pos));

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
        place.LineEnd = end;
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

// The file's own line end (that of its first line), CR LF for a new file.
std::string_view LineEndOf(std::string_view text) {
  const auto end = text.find_first_of("\r\n");
  if (end == std::string_view::npos || text.compare(end, 2, "\r\n") == 0) return "\r\n";
  return text[end] == '\r' ? "\r" : "\n";
}

// What tells whether the file changed since it was read; empty when there is none.
std::string StampOf(const std::string& fileName) {
  struct stat st {};
  if (::stat(fileName.c_str(), &st) != 0) return {};
  return std::to_string(st.st_dev) + ':' + std::to_string(st.st_ino) + ':' + std::to_string(st.st_size) +
         ':' + std::to_string(st.st_mtim.tv_sec) + '.' + std::to_string(st.st_mtim.tv_nsec);
}

} // namespace

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  const TKeyPlace place = FindKey(text, section, key);
  if (!place.KeyFound) return std::nullopt;
  return std::string(Unquote(place.Value));
}

std::string SetIniValue(std::string text, std::string_view section, std::string_view key,
                        std::string_view value) {
  const std::string_view eol = LineEndOf(text);
  std::string line(key);
  line += '=';
  line += value;

  const TKeyPlace place = FindKey(text, section, key);
  if (place.KeyFound) {
    text.replace(place.LineBegin, place.LineEnd - place.LineBegin, line);
    return text;
  }
  std::string insert;
  const std::size_t at = place.SectionFound ? place.InsertAt : text.size();
  if (at > 0 && text[at - 1] != '\n' && text[at - 1] != '\r')
    insert += eol; // the line before has no line end
  if (!place.SectionFound) {
    insert += '[';
    insert += section;
    insert += ']';
    insert += eol;
  }
  insert += line;
  insert += eol;
  text.insert(at, insert);
  return text;
}

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) { Refresh(); }

void TIniFile::Refresh() const {
  if (loaded_ && file_.Exists && !file_.Regular) return; // a stream gives its text once
  std::string stamp = StampOf(fileName_);
  if (loaded_ && stamp == stamp_) return;
  loaded_ = true;
  stamp_ = std::move(stamp);
  loadError_.clear();
  try {
    file_ = ReadFileText(fileName_, MaxFileSize, "inst\xe4llningsfilen");
    if (file_.Exists && !file_.Regular && file_.Text.empty())
      loadError_ = "Kan inte l\xe4sa inst\xe4llningsfilen " + fileName_ + " (den gav inga data)";
  } catch (const MarcError& e) {
    file_ = TFileText{};
    loadError_ = e.what();
  }
  if (!loadError_.empty()) file_.Text.clear();
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  Refresh();
  std::optional<std::string> value = FindIniValue(file_.Text, section, key);
  return value ? std::move(*value) : std::string(def);
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Refresh();
  if (!loadError_.empty() || (file_.Exists && !file_.Regular)) return false;
  std::string text = SetIniValue(file_.Text, section, key, value);
  if (!StoreFileAtomically(fileName_, text)) return false;
  file_.Text = std::move(text);
  file_.Exists = file_.Regular = true;
  stamp_ = StampOf(fileName_);
  return true;
}

} // namespace kelvo
