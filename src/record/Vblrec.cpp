// Cuts an input into record texts, one chunk of it at a time.
#include "record/Vblrec.h"

#include <algorithm>

#include "record/MarcError.h"
#include "record/vomisc.h"

namespace kelvo {

TVblRec::TVblRec(char separator) : SepChar(separator) {}

void TVblRec::SetSingleCharMode(bool flag) { MultiCharSep = !flag; }

void TVblRec::SetSepString(const std::string& text) { SepString = text; }

void TVblRec::Reset() {
  AtEndOfFile = false;
  Buffer.clear();
  Current = {};
  Pending = 0;
  RecordOffset = 0;
  TooLongLength = 0;
  cutPos_ = 0;
  bufferOffset_ = 0;
  skippedOffset_ = 0;
  skippedLength_ = 0;
}

bool TVblRec::Open(const std::string& fileName) {
  Reset();
  ChunkStart = 0;
  FileSize = -1;
  NextChunkPos = -1;
  if (!File.Open(fileName)) return false;
  FileSize = File.Size(); // -1 for a stream
  NextChunkPos = 0;
  return true;
}

void TVblRec::Close() {
  File.Close();
  Reset();
}

std::size_t TVblRec::SeparatorLength() const { return MultiCharSep ? SepString.size() : 1; }

std::size_t TVblRec::SeparatorOverlap() const { return std::max<std::size_t>(SeparatorLength(), 1) - 1; }

std::size_t TVblRec::FindSeparator(std::size_t from) const {
  if (!MultiCharSep) return Buffer.find(SepChar, from);
  // An empty separator string separates nothing: the input is one record.
  return SepString.empty() ? std::string::npos : Buffer.find(SepString, from);
}

void TVblRec::ReadMore(std::size_t count) {
  const std::size_t filled = Buffer.size();
  Buffer.resize(filled + count);
  const std::int64_t n = File.Read(Buffer.data() + filled, static_cast<std::int64_t>(count));
  Buffer.resize(filled + static_cast<std::size_t>(n < 0 ? 0 : n));
  if (n < 0) throw MarcError("Kan inte l\xe4sa filen " + File.FileName());
  if (static_cast<std::size_t>(n) < count) AtEndOfFile = true;
}

std::size_t TVblRec::CountSeparators(std::size_t scan) {
  std::size_t afterLast = 0;
  for (std::size_t at; (at = FindSeparator(scan)) != std::string::npos; scan = afterLast) {
    afterLast = at + SeparatorLength();
    ++Pending;
  }
  return afterLast;
}

// Called when every record counted so far is handed out: what is left of
// Buffer is the beginning of the next record (or the start of the input that
// Peek read). The chunk grows by reads until it holds a separator or the
// input ends, each read filling it to the next multiple of the chunk size, as
// if the chunk were read anew from where that record begins.
void TVblRec::ReadChunk(std::string& workBuffer, std::size_t chunk) {
  workBuffer.assign(Buffer, cutPos_);
  Buffer.swap(workBuffer); // keep the other storage for the next chunk
  bufferOffset_ += static_cast<std::int64_t>(cutPos_);
  cutPos_ = 0;
  if (File.IsOpen) NextChunkPos = bufferOffset_;
  const std::size_t overlap = SeparatorOverlap();
  std::size_t afterLast = CountSeparators(0);
  while (Pending == 0 && !AtEndOfFile) {
    if (Buffer.size() > static_cast<std::size_t>(MaxRecordLength)) {
      SkipTooLongRecord(chunk);
      afterLast = CountSeparators(0);
      continue;
    }
    const std::size_t filled = Buffer.size();
    ReadMore((filled / chunk + 1) * chunk - filled);
    // A separator may straddle the boundary of two reads.
    afterLast = CountSeparators(filled - std::min(overlap, filled));
  }
  if (AtEndOfFile) {
    // The text after the last separator counts as a record, even when it is
    // empty or only a line end.
    ++Pending;
  } else {
    ChunkStart = bufferOffset_ + static_cast<std::int64_t>(afterLast);
  }
}

// Only the last bytes read are kept while the record is passed over (a
// separator may begin there), so memory stays bounded by the limit and a
// chunk. Buffer then begins with the record's separator, and the next cut
// hands out the empty text before it in the record's place.
void TVblRec::SkipTooLongRecord(std::size_t chunk) {
  skippedOffset_ = bufferOffset_;
  const std::size_t keep = SeparatorOverlap();
  for (;;) {
    const std::size_t at = FindSeparator(0);
    const std::size_t drop = at != std::string::npos ? at
                             : AtEndOfFile           ? Buffer.size()
                                                     : Buffer.size() - std::min(keep, Buffer.size());
    Buffer.erase(0, drop);
    bufferOffset_ += static_cast<std::int64_t>(drop);
    if (at != std::string::npos || AtEndOfFile) break;
    ReadMore(chunk);
  }
  skippedLength_ = bufferOffset_ - skippedOffset_;
}

bool TVblRec::ReadRecord(std::string& workBuffer, std::int64_t bufferSize) {
  // A chunk always yields at least one record: it is read on until a
  // separator or the end of the input (which counts the final record).
  if (Pending == 0) ReadChunk(workBuffer, static_cast<std::size_t>(bufferSize < 1 ? ChunkSize : bufferSize));
  const std::size_t at = FindSeparator(cutPos_);
  const std::size_t end = at == std::string::npos ? Buffer.size() : at;
  RecordOffset = bufferOffset_ + static_cast<std::int64_t>(cutPos_);
  TooLongLength = 0;
  if (skippedLength_ > 0) { // the empty text before the separator of a record passed over
    RecordOffset = skippedOffset_;
    TooLongLength = skippedLength_;
    skippedLength_ = 0;
  } else if (end - cutPos_ > static_cast<std::size_t>(MaxRecordLength)) {
    TooLongLength =
        static_cast<std::int64_t>(end - cutPos_); // read whole in one go, but too long all the same
  }
  Current = TooLongLength > 0 ? std::string_view() : std::string_view(Buffer).substr(cutPos_, end - cutPos_);
  cutPos_ = at == std::string::npos ? Buffer.size() : at + SeparatorLength();
  --Pending;
  return Pending == 0 && AtEndOfFile;
}

std::string_view TVblRec::Peek(std::size_t count) {
  const std::size_t have = Buffer.size() - cutPos_;
  if (have < count && !AtEndOfFile) ReadMore(count - have);
  return std::string_view(Buffer).substr(cutPos_, count);
}

// The size measured at Open: the input does not change during a run.
int TVblRec::Percent() const {
  if (NextChunkPos <= 0 || FileSize <= 0) return 0;
  return kelvo::Percent(static_cast<std::uint64_t>(NextChunkPos), static_cast<std::uint64_t>(FileSize));
}

} // namespace kelvo
