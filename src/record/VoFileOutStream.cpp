// Output stream of the converters' side files, unbuffered like the output.
#include "record/VoFileOutStream.h"

#include "record/MarcError.h"

namespace kelvo {

TVoFileOutStream::TVoFileOutStream(const std::string& fileName, std::string_view role, TOpen open)
    : role_(role) {
  const bool opened = open == TOpen::Truncate ? file_.CreateFile(fileName) : file_.OpenForOutput(fileName);
  if (!opened) throw MarcError("Kan inte skapa " + role_ + " " + fileName);
}

void TVoFileOutStream::RaiseWriteError() const {
  throw MarcError("Kan inte skriva till " + role_ + " " + FileName());
}

void TVoFileOutStream::WriteString(std::string_view text) {
  if (!file_.IsOpen) RaiseWriteError();
  if (!text.empty() && !file_.WriteString(text)) RaiseWriteError();
}

void TVoFileOutStream::Truncate() {
  if (!file_.Truncate()) RaiseWriteError();
}

void TVoFileOutStream::Close() {
  if (!file_.Close()) RaiseWriteError();
}

} // namespace kelvo
