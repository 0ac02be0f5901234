#pragma once
// The settings file with the behaviour of Windows private-profile files:
// "[section]" lines followed by "key=value" lines. Sections and keys are
// found case-insensitively; values are the raw bytes (a Windows path is
// stored as it is, without escaping). A UTF-8 byte order mark at the start is
// skipped; lines may end in CR LF, LF or CR. A write changes only the line of
// its key (or adds it, and its section, where missing) and keeps every other
// line of the file byte for byte.
#include <optional>
#include <string>
#include <string_view>

#include "record/FileText.h"

namespace kelvo {

class TCustomIniFile {
public:
  virtual ~TCustomIniFile() = default;

  // The value of the key, or def when the file, the section or the key is missing.
  virtual std::string ReadString(std::string_view section, std::string_view key,
                                 std::string_view def) const = 0;
  // False when the file could not be stored.
  virtual bool WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
  // The file on disk; empty for settings held elsewhere.
  virtual std::string FileName() const { return {}; }

  // def when the key is missing or its value is not a decimal number.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;
  // Read as an integer: any value other than 0 is true.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  bool WriteInteger(std::string_view section, std::string_view key, int value);
  // "1" or "0".
  bool WriteBool(std::string_view section, std::string_view key, bool value);
};

// The format on text in memory. The value (trimmed, a pair of enclosing
// quotes removed) of the first key of that name in the first section of that
// name, or none.
std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key);
// The text with the key's line replaced by key=value, or the key (and its
// section) added, in the text's own line end.
std::string SetIniValue(std::string text, std::string_view section, std::string_view key,
                        std::string_view value);

// The settings file is read once, when the object is made, and again only
// when a regular file has changed on disk since (an edit between two runs
// takes effect); a pipe or a FIFO is read once. A write stores the file at once.
class TIniFile : public TCustomIniFile {
public:
  static constexpr std::size_t MaxFileSize = 1024 * 1024;

  explicit TIniFile(std::string fileName);

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const override;
  // Never over a file that could not be read, nor over a FIFO or a device.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  std::string FileName() const override { return fileName_; }
  // Empty when the file was read or does not exist; otherwise why it could
  // not be read (no permission, a folder, too large, a stream that gave
  // nothing). Every value then reads as its default.
  const std::string& LoadError() const { return loadError_; }

private:
  // Reads the file when it has not been read or has changed since.
  void Refresh() const;

  std::string fileName_;
  mutable TFileText file_;
  mutable std::string stamp_; // what identified the file when it was read
  mutable bool loaded_ = false;
  mutable std::string loadError_;
};

} // namespace kelvo
