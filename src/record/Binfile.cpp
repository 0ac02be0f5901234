// Unbuffered file over a POSIX file descriptor.
#include "record/Binfile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelvo {

namespace {

// OpenMode's low bits: 0 read, 1 write, 2 read and write; the sharing flags
// above them have no meaning here.
int OpenFlags(std::uint16_t mode) {
  switch (mode & 3) {
  case 1:
    return O_WRONLY;
  case 2:
    return O_RDWR;
  default:
    return O_RDONLY;
  }
}

} // namespace

TBinFile::~TBinFile() { Close(); }

bool TBinFile::Open(const std::string& fileName) { return OpenHandle(fileName, OpenFlags(OpenMode)); }

bool TBinFile::CreateFile(const std::string& fileName) {
  return OpenHandle(fileName, O_WRONLY | O_CREAT | O_TRUNC);
}

bool TBinFile::OpenHandle(const std::string& fileName, int flags) {
  Close();
  fileName_ = fileName;
  Handle = ::open(fileName.c_str(), flags | O_CLOEXEC, 0644);
  IsOpen = Handle >= 0;
  LastError = IsOpen ? 0 : Handle;
  return IsOpen;
}

bool TBinFile::OpenForOutput(const std::string& fileName) {
  Close();
  fileName_ = fileName;
  Created = false;
  if (fileName == "-") {
    Handle = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0);
  } else {
    // Exclusive creation tells a new file from an existing one, which keeps
    // its content until Truncate.
    Handle = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    Created = Handle >= 0;
    if (!Created && errno == EEXIST) Handle = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  }
  IsOpen = Handle >= 0;
  LastError = IsOpen ? 0 : errno;
  return IsOpen;
}

bool TBinFile::Truncate() {
  struct stat st {};
  if (!IsOpen || ::fstat(Handle, &st) != 0) return false;
  if (!S_ISREG(st.st_mode) || fileName_ == "-") return true;
  return ::ftruncate(Handle, 0) == 0 && ::lseek(Handle, 0, SEEK_SET) == 0;
}

bool TBinFile::Close() {
  bool stored = true;
  if (IsOpen) stored = ::close(Handle) == 0 || errno == EINTR;
  Handle = -1;
  IsOpen = false;
  return stored;
}

std::int64_t TBinFile::Read(char* buffer, std::int64_t count) {
  if (!IsOpen || count <= 0) return 0;
  // A read may return less than asked for (a signal, a pipe); keep going
  // until the count is reached or the input ends.
  std::int64_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(Handle, buffer + done, static_cast<std::size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && done == 0) return -1;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::size_t TBinFile::Write(std::string_view text) {
  if (!IsOpen) {
    LastError = EBADF;
    return 0;
  }
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(Handle, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      LastError = n < 0 ? errno : ENOSPC;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  return done;
}

bool TBinFile::Unwrite(std::size_t count) {
  if (count == 0) return true;
  // Elsewhere than in a regular file (a pipe, a device) lseek or ftruncate
  // fails and changes nothing.
  const off_t end = ::lseek(Handle, 0, SEEK_CUR);
  const off_t cut = end - static_cast<off_t>(count);
  return end >= static_cast<off_t>(count) && ::ftruncate(Handle, cut) == 0 &&
         ::lseek(Handle, cut, SEEK_SET) == cut;
}

bool TBinFile::WriteString(std::string_view text) {
  const std::size_t done = Write(text);
  if (done == text.size() && IsOpen) return true;
  Unwrite(done);
  return false;
}

std::int64_t TBinFile::Position() const { return IsOpen ? ::lseek(Handle, 0, SEEK_CUR) : -1; }

void TBinFile::Seek(std::int64_t offset) {
  if (IsOpen) ::lseek(Handle, offset, SEEK_SET);
}

void TBinFile::SeekStart() { Seek(0); }

void TBinFile::SeekEnd() {
  if (IsOpen) ::lseek(Handle, 0, SEEK_END);
}

std::int64_t TBinFile::Size() const {
  if (!IsOpen) return -1;
  const off_t here = ::lseek(Handle, 0, SEEK_CUR);
  const off_t end = ::lseek(Handle, 0, SEEK_END);
  if (here >= 0) ::lseek(Handle, here, SEEK_SET);
  return end;
}

bool TBinFile::AtEof() const { return Position() == Size(); }

} // namespace kelvo
