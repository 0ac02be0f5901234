#include "record/FileText.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "record/MarcError.h"

namespace kelvo {

namespace {

constexpr std::size_t MegaByte = 1024 * 1024;

std::string SizeText(std::size_t bytes) {
  if (bytes >= MegaByte && bytes % MegaByte == 0) return std::to_string(bytes / MegaByte) + " MB";
  return std::to_string(bytes) + " byte";
}

class TFd {
public:
  explicit TFd(int fd) : fd_(fd) {}
  ~TFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int Get() const { return fd_; }

private:
  int fd_;
};

} // namespace

TFileText ReadFileText(const std::string& fileName, std::size_t maxBytes, std::string_view what) {
  const std::string failure = "Kan inte l\xe4sa " + std::string(what) + " " + fileName;
  TFileText file;
  const TFd fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return file;
    throw MarcError(failure + (errno == EACCES ? " (beh\xf6righet saknas)" : ""));
  }
  file.Exists = true;
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) throw MarcError(failure);
  if (S_ISDIR(st.st_mode)) throw MarcError(failure + " (en mapp)");
  file.Regular = S_ISREG(st.st_mode);
  if (file.Regular && static_cast<std::size_t>(st.st_size) <= maxBytes)
    file.Text.reserve(static_cast<std::size_t>(st.st_size));

  char block[65536];
  for (;;) {
    const ssize_t n = ::read(fd.Get(), block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw MarcError(failure);
    if (n == 0) return file;
    if (file.Text.size() + static_cast<std::size_t>(n) > maxBytes)
      throw MarcError(failure + ": filen \xe4r st\xf6rre \xe4n " + SizeText(maxBytes));
    file.Text.append(block, static_cast<std::size_t>(n));
  }
}

} // namespace kelvo
