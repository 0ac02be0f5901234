#include "app/AppPaths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <system_error>

#include "record/vostr.h"

namespace kelvo {

namespace {

constexpr char PathDelim = '/';

// Length of the folder part including its separator.
std::size_t FolderLength(std::string_view fileName) {
  const auto pos = fileName.rfind(PathDelim);
  return pos == std::string_view::npos ? 0 : pos + 1;
}

} // namespace

bool FileExists(const std::string& fileName) {
  std::error_code ec;
  return !fileName.empty() && std::filesystem::exists(fileName, ec) &&
         !std::filesystem::is_directory(fileName, ec);
}

bool DirectoryExists(const std::string& folder) {
  std::error_code ec;
  return !folder.empty() && std::filesystem::is_directory(folder, ec);
}

bool IsRegularFile(const std::string& fileName) {
  std::error_code ec;
  return !fileName.empty() && std::filesystem::is_regular_file(fileName, ec);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, ec) && !ec;
}

std::string ExtractFilePath(std::string_view fileName) {
  return std::string(fileName.substr(0, FolderLength(fileName)));
}

std::string ExtractFileName(std::string_view fileName) {
  return std::string(fileName.substr(FolderLength(fileName)));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view ext) {
  const auto folder = FolderLength(fileName);
  auto dot = fileName.rfind('.');
  if (dot == std::string_view::npos || dot < folder) dot = fileName.size();
  std::string result(fileName.substr(0, dot));
  result += ext;
  return result;
}

std::string FileNameFromSettings(const std::string& name) {
  std::error_code ec;
  if (IsValidUtf8(name) || std::filesystem::exists(name, ec)) return name;
  return Cp1252ToUtf8(name);
}

bool CanHaveFilesBeside(const std::string& outFile) {
  struct stat st {};
  return outFile != "-" && (::stat(outFile.c_str(), &st) != 0 || S_ISREG(st.st_mode));
}

bool StoreFileAtomically(const std::string& fileName, std::string_view text) {
  const std::string temp = fileName + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), fileName.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

std::string ProgramFilePath() {
  std::error_code ec;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
}

} // namespace kelvo
