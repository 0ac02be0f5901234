#include "convert/RunFiles.h"

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "record/MarcError.h"

namespace kelvo {

namespace {

struct TFileId {
  bool OnDisk = false; // device and inode known
  dev_t Device = 0;
  ino_t Inode = 0;
  bool CharDevice = false;
  std::string Path; // the resolved path when the system knows no such file

  bool operator==(const TFileId& other) const {
    if (OnDisk != other.OnDisk) return false;
    return OnDisk ? Device == other.Device && Inode == other.Inode && !CharDevice : Path == other.Path;
  }
};

TFileId Identify(const TRunFile& file, int standardHandle) {
  struct stat st {};
  const int rc = file.Handle >= 0   ? ::fstat(file.Handle, &st)
                 : file.Name == "-" ? ::fstat(standardHandle, &st)
                                    : ::stat(file.Name.c_str(), &st);
  if (rc == 0) return {true, st.st_dev, st.st_ino, S_ISCHR(st.st_mode), {}};
  std::error_code ec;
  std::filesystem::path path = std::filesystem::weakly_canonical(file.Name, ec);
  if (ec) path = std::filesystem::absolute(file.Name, ec).lexically_normal();
  return {.Path = path.string()};
}

std::string Capitalised(std::string_view role) {
  std::string text(role);
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

[[noreturn]] void RaiseClash(const TRunFile& a, const TRunFile& b) {
  std::string text = Capitalised(a.Role) + " och " + std::string(b.Role) + " \xe4r samma fil: " + a.Name;
  if (b.Name != a.Name) text += " och " + b.Name;
  throw MarcError(text);
}

} // namespace

void CheckDistinctFiles(const std::vector<TRunFile>& writes, const std::vector<TRunFile>& reads) {
  std::vector<std::pair<const TRunFile*, TFileId>> seen; // the files read, then those written so far
  for (const TRunFile& r : reads)
    if (!r.Name.empty()) seen.emplace_back(&r, Identify(r, STDIN_FILENO));
  for (const TRunFile& w : writes) {
    if (w.Name.empty()) continue;
    const TFileId id = Identify(w, STDOUT_FILENO);
    for (const auto& [other, otherId] : seen)
      if (id == otherId) RaiseClash(w, *other);
    seen.emplace_back(&w, id);
  }
}

} // namespace kelvo
