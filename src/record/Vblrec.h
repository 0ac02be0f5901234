#pragma once
// Reads an input file in chunks of 131072 bytes and cuts it into record texts
// at a separator ("^" for line format, code 29 for ISO 2709).
//
// A chunk is cut up to its last separator; the next chunk is read from just
// after it, so the incomplete record at a chunk's end is read again. A record
// longer than a chunk is collected over as many chunks as it needs.
#include <cstdint>
#include <string>

#include "record/Binfile.h"

namespace kelvo {

class TVblRec {
public:
  static constexpr std::int64_t ChunkSize = 131072;

  explicit TVblRec(char separator);

  std::int64_t ChunkStart = 0;
  char SepChar;
  std::string SepString;
  bool AtEndOfFile = false;
  std::string Buffer; // the current chunk; the text from cutPos_ on is not yet handed out
  std::string Current;
  std::uint64_t Pending = 0; // records still to be cut from Buffer
  std::int64_t FileSize = -1;
  std::int64_t NextChunkPos = -1; // where the chunk being handed out starts; drives Percent
  TBinFile File;
  bool MultiCharSep = false;

  void SetSingleCharMode(bool flag);
  void SetSepString(const std::string& text);
  bool Open(const std::string& fileName);
  void Close();
  // Delivers the next record text into Current; true when it is the last one.
  // workBuffer is storage lent for reading chunks of bufferSize bytes.
  // Raises MarcError naming the file when the file cannot be read.
  bool ReadRecord(std::string& workBuffer, std::int64_t bufferSize = ChunkSize);
  int Percent() const;

private:
  void ReadChunk(std::string& workBuffer, std::int64_t bufferSize);
  // Index of the next separator in Buffer at or after from, or npos.
  std::size_t FindSeparator(std::size_t from) const;
  std::size_t SeparatorLength() const;
  void Reset();

  std::size_t cutPos_ = 0;
};

} // namespace kelvo
