#pragma once
// A thin unbuffered file over the operating system's handle.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvo {

class TBinFile {
public:
  TBinFile() = default;
  ~TBinFile();
  TBinFile(const TBinFile&) = delete;
  TBinFile& operator=(const TBinFile&) = delete;

  int Handle = -1;
  std::uint16_t OpenMode = 0;
  int LastError = 0;
  bool IsOpen = false;
  bool Created = false; // OpenForOutput made the file

  bool Open(const std::string& fileName);
  bool CreateFile(const std::string& fileName);
  // Opens a file to write without changing it: creates it when it does not
  // exist (Created tells), else keeps its content until Truncate. "-" is
  // standard output.
  bool OpenForOutput(const std::string& fileName);
  // Empties a regular file opened with OpenForOutput; other files (a pipe, a
  // device, standard output) are left as they are. False when it fails.
  bool Truncate();
  // False when the system reports that written data could not be stored.
  bool Close();
  // Reads count bytes, fewer only at the end of the input; returns how many
  // were read, or -1 when the system reports an error before any byte.
  std::int64_t Read(char* buffer, std::int64_t count);
  // Writes text in as few system calls as the system allows; returns how
  // many bytes reached the file: all of them, unless the system refused the
  // rest (a full disk; LastError tells why).
  std::size_t Write(std::string_view text);
  // Cuts the last count bytes written away again from a regular file; false
  // where that cannot be done (a pipe, a device) or the system refuses.
  bool Unwrite(std::size_t count);
  // Writes all of text; returns false when any byte could not be written.
  // Then the part of text that did reach a regular file is cut away again:
  // the file ends where the previous WriteString ended.
  bool WriteString(std::string_view text);
  std::int64_t Position() const;
  void Seek(std::int64_t offset);
  void SeekStart();
  void SeekEnd();
  std::int64_t Size() const;
  bool AtEof() const;
  const std::string& FileName() const { return fileName_; }

private:
  bool OpenHandle(const std::string& fileName, int flags);

  std::string fileName_;
};

} // namespace kelvo
