#pragma once
// MARCXML input (MARC21 slim, with or without its namespace, one record or a
// collection, records at any depth), streamed: only the record being read is
// held in memory, whatever the size of the file. Entities are not expanded
// and nothing outside the file is loaded. The values stay UTF-8.
#include <memory>
#include <string>

namespace kelvo {

class TMarcRec;

class TMarcXmlReader {
public:
  TMarcXmlReader();
  ~TMarcXmlReader();
  TMarcXmlReader(const TMarcXmlReader&) = delete;
  TMarcXmlReader& operator=(const TMarcXmlReader&) = delete;

  // Raises MarcError naming the file when it cannot be opened.
  void Open(const std::string& fileName);
  // The next record into rec (cleared first) as the ISO 2709 reader builds
  // one: fields in document order, the leader as "000", then SortFields. xml
  // gets the record's XML text. False at the end of the document, and at the
  // first fault in it (Failed, Error).
  bool Next(TMarcRec& rec, std::string& xml);

  bool Failed() const;
  // What went wrong and on which line, in Swedish, naming the file.
  const std::string& Error() const;
  // Records read so far.
  long long Records() const;
  // How much of the file has been read, 0 to 100.
  int Percent() const;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// True when the file is XML that holds MARC records: it begins (after a byte
// order mark and blanks) with "<", and its first 64 KB name the MARC21 slim
// namespace or a "record" or "collection" element.
bool LooksLikeMarcXml(const std::string& fileName);

} // namespace kelvo
