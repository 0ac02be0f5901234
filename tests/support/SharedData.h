#pragma once
// The real MARC 21 files of other catalogues beside the project
// (../shared/data/marc21), broken ones included. They are read where they
// lie; a test that needs them is skipped when the folder is missing.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "record/vostr.h"

namespace kelvo::testing {

inline const std::filesystem::path& SharedMarc21() {
  static const std::filesystem::path root = std::filesystem::path(KELVO_SHARED_DATA) / "marc21";
  return root;
}

// A file below the folder, e.g. "marc4j/sample1.mrc".
inline std::string SharedFile(std::string_view relative) { return (SharedMarc21() / relative).string(); }

// Every ISO 2709 file below the folder in a stable order (MARCXML and notes
// left out); none when the folder is missing.
inline std::vector<std::filesystem::path> IsoFiles() {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(SharedMarc21())) return files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(SharedMarc21())) {
    const std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() &&
        (ext == ".mrc" || ext == ".dat" || ext == ".marc" || ext == ".usmarc" || ext == ".iso"))
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The records a converter is handed from ISO 2709 bytes: the pieces between
// record terminators that are not blank.
inline std::int64_t IsoRecordCount(std::string_view bytes) {
  std::int64_t count = 0;
  while (true) {
    const std::size_t end = bytes.find('\x1d');
    if (!IsBlank(bytes.substr(0, end))) ++count;
    if (end == std::string_view::npos) return count;
    bytes.remove_prefix(end + 1);
  }
}

} // namespace kelvo::testing

// Skips the test when the real files are missing.
#define KELVO_SKIP_WITHOUT_ISO_FILES(files)                                                                  \
  if ((files).empty()) GTEST_SKIP() << "no ISO 2709 files in " << ::kelvo::testing::SharedMarc21()
