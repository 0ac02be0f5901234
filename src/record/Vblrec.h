#pragma once
// Reads an input in chunks of 131072 bytes and cuts it into record texts at a
// separator ("^" for line format, code 29 for ISO 2709).
//
// The input may be a regular file or a stream (a pipe, a FIFO, standard
// input): it is read once from start to end and never sought. A chunk is cut
// up to its last separator; the incomplete record after it stays in the
// buffer and the next chunk is read after it. A record longer than a chunk
// is collected over as many chunks as it needs, up to MaxRecordLength; a
// longer one is skipped up to its separator and handed out as an empty text
// with TooLongLength set, so that no input can make the buffer grow without
// end.
#include <cstdint>
#include <string>
#include <string_view>

#include "record/Binfile.h"

namespace kelvo {

class TVblRec {
public:
  static constexpr std::int64_t ChunkSize = 131072;
  static constexpr std::int64_t DefaultMaxRecordLength = 16 * 1024 * 1024;

  explicit TVblRec(char separator);

  std::int64_t ChunkStart = 0; // input offset just after the last separator counted
  char SepChar;
  std::string SepString;
  bool AtEndOfFile = false; // the input has no more bytes
  std::string Buffer;       // text read; the text from cutPos_ on is not yet handed out
  // The record text handed out last: a view into Buffer, valid until the
  // next ReadRecord, Peek or Close.
  std::string_view Current;
  std::uint64_t Pending = 0;      // records still to be cut from Buffer
  std::int64_t FileSize = -1;     // size at open; -1 when not open or not known (a stream)
  std::int64_t NextChunkPos = -1; // where the chunk being handed out starts; drives Percent
  TBinFile File;
  bool MultiCharSep = false;
  std::int64_t MaxRecordLength = DefaultMaxRecordLength;

  // About Current: the input offset where it begins; for a record skipped as
  // too long, its length (0 otherwise). Its number is the converter's
  // (TKonvSimple::RecordNumber).
  std::int64_t RecordOffset = 0;
  std::int64_t TooLongLength = 0;

  // The separator may change until the first record is read (after Peek).
  void SetSingleCharMode(bool flag);
  void SetSepString(const std::string& text);
  bool Open(const std::string& fileName);
  void Close();
  // Hands out the next record text as Current; true when it is the last one.
  // workBuffer is storage lent for carrying the incomplete record over to the
  // next chunk of bufferSize bytes. Raises MarcError naming the file when the
  // input cannot be read.
  bool ReadRecord(std::string& workBuffer, std::int64_t bufferSize = ChunkSize);
  // Up to count bytes of the input from the next record on, read into the
  // buffer without handing anything out (fewer at the end of the input): a
  // stream's format can be told before its first record is read.
  std::string_view Peek(std::size_t count);
  // 0 while the size is not known.
  int Percent() const;

private:
  void ReadChunk(std::string& workBuffer, std::size_t chunk);
  // Appends up to count bytes of the input to Buffer; notes the end of the input.
  void ReadMore(std::size_t count);
  // Counts the separators of Buffer from scan on into Pending; returns the
  // index just past the last one, or 0 when there is none.
  std::size_t CountSeparators(std::size_t scan);
  // Drops the record at the start of Buffer, which has grown beyond
  // MaxRecordLength, up to its separator or the end of the input.
  void SkipTooLongRecord(std::size_t chunk);
  // Index of the next separator in Buffer at or after from, or npos.
  std::size_t FindSeparator(std::size_t from) const;
  std::size_t SeparatorLength() const;
  // Bytes at the end of a read in which a separator may begin that the next read completes.
  std::size_t SeparatorOverlap() const;
  void Reset();

  std::size_t cutPos_ = 0;
  std::int64_t bufferOffset_ = 0; // input offset of Buffer[0]
  std::int64_t skippedOffset_ = 0;
  std::int64_t skippedLength_ = 0; // of the record the next cut stands for; 0 normally
};

} // namespace kelvo
