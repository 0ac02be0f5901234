#pragma once
// The local adaptation of the vendor profile, read from "LokalAnpassTrux.xml":
// which object types make a multi-volume head improper, the media codes with
// their 007 texts and plain-text captions, and whether 503 is copied to 020.
// The file is read once per run; the rules only ask this object. Texts are
// code page 1252 like the records.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::dalk_kv21 {

// A direct child of the "mediekoder" element: attributes "in" (object type)
// and "ut" (the data of an 007).
struct TMediaCode {
  std::string In;
  std::string Ut;
};

// A "mediekod" element anywhere below "mediekoder".
struct TMediaText {
  std::string In;
  std::string Klartext1;
  std::string Klartext2;
};

class TLocalAdaptation {
public:
  static constexpr std::string_view FileName = "LokalAnpassTrux.xml";
  static constexpr std::size_t MaxFileSize = 16 * 1024 * 1024;

  // Reads the file once. A missing file leaves the adaptation empty. A file
  // that cannot be read, is larger than MaxFileSize or cannot be parsed
  // raises MarcError with the file name (and the parser's message).
  void LoadFromFile(const std::string& fileName);
  // The same from a document in memory; name stands for the file in messages.
  void LoadFromMemory(std::string_view xml, std::string_view name);
  void Clear();

  // The record's object type is listed under
  // "/root/oegentligaflerbandsverk/objekttyper" (compared exactly).
  bool IsImproperObjectType(std::string_view objectType) const;
  const std::vector<std::string>& ObjectTypes() const { return objectTypes_; }

  // A "mediekoder" element exists.
  bool HasMediaCodes() const { return hasMediaCodes_; }
  const std::vector<TMediaCode>& MediaCodes() const { return mediaCodes_; }
  // The first "mediekod" whose "in" equals the object type, ignoring case; none when there is none.
  const TMediaText* FindMediaText(std::string_view objectType) const;

  // The text of "copy503till020": "T..." or "Y..." (any case) is true, anything else false.
  bool Copy503To020() const { return copy503To020_; }

private:
  friend struct TLocalAdaptationLoader;
  std::vector<std::string> objectTypes_;
  bool hasMediaCodes_ = false;
  std::vector<TMediaCode> mediaCodes_;
  std::vector<TMediaText> mediaTexts_;
  bool copy503To020_ = false;
};

// The boolean reading of an element text: empty is false; otherwise the first
// character, upper-cased, "T" or "Y" is true and anything else false.
bool ReadXmlBoolean(std::string_view text);

} // namespace kelvo::dalk_kv21
