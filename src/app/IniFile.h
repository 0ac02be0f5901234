#pragma once
// The settings file with the behaviour of Windows private-profile files:
// "[section]" lines followed by "key=value" lines; every read goes to the
// file and every write stores the file at once. Sections and keys are found
// case-insensitively; values are the raw code page 1252 bytes (a Windows
// path is stored as it is, without escaping). A write changes only the line
// of its key (or adds it, and its section, where missing) and keeps every
// other line of the file byte for byte.
#include <string>
#include <string_view>

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

class TIniFile : public TCustomIniFile {
public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const override;
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) override;
  std::string FileName() const override { return fileName_; }

private:
  std::string fileName_;
};

} // namespace kelvo
