// Real ISO 2709 files from other systems through profile 1: every record
// ends up in exactly one place, and nothing trips the sanitizers.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "profiles/sorvia_kv21/Kv21TestSupport.h"
#include "record/vostr.h"

namespace kelvo::sorvia_kv21 {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> IsoFiles() {
  const fs::path root = fs::path(KELVO_SHARED_DATA) / "marc21";
  std::vector<fs::path> files;
  if (!fs::is_directory(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() && (ext == ".mrc" || ext == ".dat" || ext == ".marc" || ext == ".usmarc"))
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The non-blank pieces between record terminators.
std::int64_t RecordCount(const std::string& bytes) {
  std::int64_t count = 0;
  std::string_view rest = bytes;
  while (true) {
    const std::size_t end = rest.find('\x1d');
    if (!IsBlank(rest.substr(0, end))) ++count;
    if (end == std::string_view::npos) return count;
    rest.remove_prefix(end + 1);
  }
}

TEST(Kv21RealFiles, EveryRecordIsWrittenOnceOrCountedAsDropped) {
  const auto files = IsoFiles();
  if (files.empty()) GTEST_SKIP() << "no ISO 2709 files in " KELVO_SHARED_DATA "/marc21";
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.string());
    const std::string bytes = testing::ReadAll(file.string());
    kv21test::TRunResult result;
    ASSERT_NO_THROW(
        result = kv21test::RunKv21(
            bytes, {.Iso = true, .Periodicals = true, .Weeded = true, .Configure = [](TMrc21ToKv21& konv) {
                      konv.ConversionLabel = "BatSorKV21";
                      konv.KeepOld035Handling = true;
                      konv.Fld852cUnconditionally = true;
                      konv.RemoveDuplicateLines = true;
                      konv.SubfieldLines = true;
                    }}));
    std::int64_t routed = 0;
    for (const TRunCount& count : result.Counts)
      if (!count.Subset) routed += count.Count;
    EXPECT_EQ(routed, RecordCount(bytes));
    for (const std::string* out : {&result.Main, &result.Periodicals, &result.Weeded}) {
      EXPECT_TRUE(out->empty() || out->ends_with("\r\n^\r\n"));
    }
  }
}

} // namespace
} // namespace kelvo::sorvia_kv21
