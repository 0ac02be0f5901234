// Buffered output stream of the converters' side files.
#include "record/VoFileOutStream.h"

#include "record/MarcError.h"

namespace kelvo {

namespace {

constexpr std::size_t kBufferSize = 65536;

[[noreturn]] void RaiseWriteError(const std::string& fileName) {
  throw MarcError("Kan inte skriva till filen " + fileName);
}

} // namespace

TVoFileOutStream::TVoFileOutStream(const std::string& fileName) : fileName_(fileName) {
  file_ = std::fopen(fileName.c_str(), "wb");
  if (file_ == nullptr) throw MarcError("Cannot create file " + fileName);
  std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
}

TVoFileOutStream::~TVoFileOutStream() {
  if (file_ != nullptr) std::fclose(file_);
}

void TVoFileOutStream::WriteString(std::string_view text) {
  if (file_ == nullptr) RaiseWriteError(fileName_);
  if (text.empty()) return;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) RaiseWriteError(fileName_);
}

void TVoFileOutStream::Flush() {
  if (file_ != nullptr && std::fflush(file_) != 0) RaiseWriteError(fileName_);
}

void TVoFileOutStream::Close() {
  if (file_ == nullptr) return;
  std::FILE* file = file_;
  file_ = nullptr;
  // fclose flushes the buffer; its result is the last word on whether the data reached the file.
  if (std::fclose(file) != 0) RaiseWriteError(fileName_);
}

} // namespace kelvo
