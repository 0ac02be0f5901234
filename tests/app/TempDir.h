#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// with everything in it at the end.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace kelvo::testing {

class TTempDir {
public:
  TTempDir() {
    const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "kelvo_";
    if (info) name += std::string(info->test_suite_name()) + "_" + info->name();
    for (char &c : name)
      if (c == '/') c = '_';
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TTempDir(const TTempDir &) = delete;
  TTempDir &operator=(const TTempDir &) = delete;

  // The folder with its trailing separator.
  std::string Folder() const { return path_.string() + "/"; }
  std::string File(std::string_view name) const { return Folder() + std::string(name); }

  std::string Write(std::string_view name, std::string_view content) const {
    const std::string fileName = File(name);
    std::ofstream(fileName, std::ios::binary) << content;
    return fileName;
  }

private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::string &fileName) {
  std::ifstream in(fileName, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace kelvo::testing
