#pragma once
// Output stream of the converters' side files. Construction creates (or
// truncates) the file; a file that cannot be created raises
// MarcError("Cannot create file <name>"). A failed write raises MarcError with
// a Swedish message naming the file.
#include <cstdio>
#include <string>
#include <string_view>

namespace kelvo {

class TVoFileOutStream {
public:
  explicit TVoFileOutStream(const std::string& fileName);
  ~TVoFileOutStream();
  TVoFileOutStream(const TVoFileOutStream&) = delete;
  TVoFileOutStream& operator=(const TVoFileOutStream&) = delete;

  void WriteString(std::string_view text);
  // Writes what is buffered; raises MarcError when the data cannot be stored.
  void Flush();
  // Flushes and closes; raises like Flush. The destructor closes quietly.
  void Close();
  const std::string& FileName() const { return fileName_; }

private:
  std::string fileName_;
  std::FILE* file_ = nullptr;
};

} // namespace kelvo
