// Cuts an input file into record texts, one chunk of the file at a time.
#include "record/Vblrec.h"

#include "record/MarcError.h"
#include "record/vomisc.h"

namespace kelvo {

TVblRec::TVblRec(char separator) : SepChar(separator) {}

void TVblRec::SetSingleCharMode(bool flag) { MultiCharSep = !flag; }

void TVblRec::SetSepString(const std::string& text) { SepString = text; }

void TVblRec::Reset() {
  AtEndOfFile = false;
  Buffer.clear();
  Current.clear();
  Pending = 0;
  cutPos_ = 0;
}

bool TVblRec::Open(const std::string& fileName) {
  Reset();
  ChunkStart = 0;
  FileSize = -1;
  NextChunkPos = -1;
  if (!File.Open(fileName)) return false;
  FileSize = File.Size();
  NextChunkPos = 0;
  return true;
}

void TVblRec::Close() {
  File.Close();
  Reset();
}

std::size_t TVblRec::SeparatorLength() const { return MultiCharSep ? SepString.size() : 1; }

std::size_t TVblRec::FindSeparator(std::size_t from) const {
  if (!MultiCharSep) return Buffer.find(SepChar, from);
  // An empty separator string separates nothing: the file is one record.
  return SepString.empty() ? std::string::npos : Buffer.find(SepString, from);
}

// Reads the chunk that starts at ChunkStart into Buffer and counts its
// records into Pending. A chunk without a separator that does not reach the
// end of the file holds the beginning of a record longer than the chunk; the
// following chunks are added until the record's separator (or the end of the
// file) is reached, so the record is delivered whole.
void TVblRec::ReadChunk(std::string& workBuffer, std::int64_t bufferSize) {
  Buffer.swap(workBuffer); // keep the previous chunk's storage for the next read
  cutPos_ = 0;
  if (File.IsOpen) NextChunkPos = ChunkStart;
  const auto chunk = static_cast<std::size_t>(bufferSize);
  const std::size_t sepLength = SeparatorLength();
  std::size_t filled = 0;
  std::size_t afterLast = 0; // index just past the chunk's last separator; 0 for none
  do {
    Buffer.resize(filled + chunk);
    const auto n = static_cast<std::size_t>(File.Read(Buffer.data() + filled, bufferSize));
    // A separator may straddle the boundary of two added pieces.
    std::size_t scan = filled >= sepLength ? filled - (sepLength - 1) : 0;
    filled += n;
    Buffer.resize(filled);
    AtEndOfFile = File.AtEof();
    if (n < chunk && !AtEndOfFile) throw MarcError("Kan inte l\xe4sa filen " + File.FileName());
    for (std::size_t at; (at = FindSeparator(scan)) != std::string::npos; scan = afterLast) {
      afterLast = at + sepLength;
      ++Pending;
    }
  } while (afterLast == 0 && !AtEndOfFile);

  if (AtEndOfFile) {
    // The text after the last separator counts as a record, even when it is
    // empty or only a line end.
    ++Pending;
  } else {
    // The next chunk starts right after the last separator; the incomplete
    // record after it is read again there.
    ChunkStart += static_cast<std::int64_t>(afterLast);
    File.Seek(ChunkStart);
  }
}

bool TVblRec::ReadRecord(std::string& workBuffer, std::int64_t bufferSize) {
  // A chunk always yields at least one record: it is read on until a
  // separator or the end of the file (which counts the final record).
  if (Pending == 0) ReadChunk(workBuffer, bufferSize < 1 ? ChunkSize : bufferSize);
  const std::size_t at = FindSeparator(cutPos_);
  if (at == std::string::npos) {
    Current.assign(Buffer, cutPos_);
    cutPos_ = Buffer.size();
  } else {
    Current.assign(Buffer, cutPos_, at - cutPos_);
    cutPos_ = at + SeparatorLength();
  }
  --Pending;
  return Pending == 0 && AtEndOfFile;
}

// The size measured at Open: the input does not change during a run.
int TVblRec::Percent() const {
  if (NextChunkPos <= 0 || FileSize <= 0) return 0;
  return kelvo::Percent(static_cast<std::uint64_t>(NextChunkPos), static_cast<std::uint64_t>(FileSize));
}

} // namespace kelvo
