// Output stream of a run's files, written a block of whole records at a time.
#include "record/VoFileOutStream.h"

#include <algorithm>

#include "record/MarcError.h"

namespace kelvo {

TVoFileOutStream::TVoFileOutStream(const std::string& fileName, std::string_view role, TOpen open)
    : role_(role) {
  const bool opened = open == TOpen::Truncate ? file_.CreateFile(fileName) : file_.OpenForOutput(fileName);
  if (!opened) throw MarcError("Kan inte skapa " + role_ + " " + fileName);
  block_.reserve(BlockSize + BlockSize / 4); // the record that fills the block fits too, mostly
}

TVoFileOutStream::~TVoFileOutStream() {
  try {
    Flush();
  } catch (...) { // the records that did not reach the file are lost either way
  }
}

void TVoFileOutStream::RaiseWriteError() const {
  throw MarcError("Kan inte skriva till " + role_ + " " + FileName());
}

void TVoFileOutStream::EndRecord() {
  if (!file_.IsOpen) { // closed, or never opened: fails at once
    DropOpenRecord();
    ++lost_;
    RaiseWriteError();
  }
  recordEnds_.push_back(block_.size());
  if (block_.size() >= BlockSize) Flush();
}

void TVoFileOutStream::DropOpenRecord() { block_.resize(recordEnds_.empty() ? 0 : recordEnds_.back()); }

void TVoFileOutStream::WriteString(std::string_view text) {
  block_ += text;
  EndRecord();
}

void TVoFileOutStream::Flush() {
  if (recordEnds_.empty()) return;
  const std::size_t whole = recordEnds_.back();
  const std::size_t written = file_.Write(std::string_view(block_).substr(0, whole));
  std::size_t reached = recordEnds_.size();
  if (written < whole) {
    // The records that reached the file whole stay; the piece of the next
    // one is cut away again.
    reached = static_cast<std::size_t>(std::upper_bound(recordEnds_.begin(), recordEnds_.end(), written) -
                                       recordEnds_.begin());
    file_.Unwrite(written - (reached == 0 ? 0 : recordEnds_[reached - 1]));
    lost_ += static_cast<std::int64_t>(recordEnds_.size() - reached);
  }
  block_.erase(0, whole);
  // A record far beyond the block size leaves no room behind.
  if (block_.empty() && block_.capacity() > 4 * BlockSize) std::string().swap(block_);
  const bool failed = reached < recordEnds_.size();
  recordEnds_.clear();
  if (failed) RaiseWriteError();
}

void TVoFileOutStream::Truncate() {
  if (!file_.Truncate()) RaiseWriteError();
}

void TVoFileOutStream::Close() {
  bool stored = true;
  try {
    Flush();
  } catch (const MarcError&) {
    stored = false;
  }
  if (!file_.Close()) stored = false;
  if (!stored) RaiseWriteError();
}

} // namespace kelvo
