// Unbuffered file over a POSIX file descriptor.
#include "record/Binfile.h"

#include <cerrno>
#include <fcntl.h>
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

void TBinFile::Close() {
  if (IsOpen) ::close(Handle);
  Handle = -1;
  IsOpen = false;
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

// One write call for the whole text rather than pieces of 512 bytes: the
// bytes reach the file in the same order, with far fewer system calls.
bool TBinFile::WriteString(std::string_view text) {
  if (!IsOpen) return false;
  while (!text.empty()) {
    const ssize_t n = ::write(Handle, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
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
