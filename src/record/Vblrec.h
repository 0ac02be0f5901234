#pragma once
// Reads an input file in chunks of 131072 bytes and cuts it into record texts
// at a separator ("^" for line format, code 29 for ISO 2709).
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
  std::string Buffer;
  std::string Current;
  std::uint64_t Pending = 0; // records still to be cut from Buffer
  std::int64_t FileSize = -1;
  std::int64_t NextChunkPos = -1;
  TBinFile File;
  bool MultiCharSep = false;

  void SetSingleCharMode(bool flag);
  void SetSepString(const std::string& text);
  bool Open(const std::string& fileName);
  void Close();
  // Delivers the next record text into Current; true when it is the last one.
  bool ReadRecord(std::string& workBuffer, std::int64_t bufferSize = ChunkSize);
  int Percent() const;
};

} // namespace kelvo
