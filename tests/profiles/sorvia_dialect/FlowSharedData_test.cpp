// Real ISO 2709 files from other catalogues, broken ones included: each must
// convert without an error, and every record must end up somewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "record/test_files.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {
namespace {

std::vector<std::filesystem::path> IsoFiles() {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path root = std::filesystem::path(KELVO_SHARED_DATA) / "marc21";
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ec)) {
    const std::string ext = entry.path().extension().string();
    if (entry.is_regular_file() && ext != ".xml" && ext != ".md") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Record texts the reader hands out that are not blank.
std::int64_t RecordCount(const std::string& content) {
  std::int64_t n = 0;
  std::size_t start = 0;
  while (start <= content.size()) {
    const std::size_t end = std::min(content.find('\x1d', start), content.size());
    if (!IsBlank(std::string_view(content).substr(start, end - start))) ++n;
    start = end + 1;
  }
  return n;
}

TEST(DialectSharedData, EveryIsoFileConverts) {
  const std::vector<std::filesystem::path> files = IsoFiles();
  if (files.empty()) GTEST_SKIP() << "no test files in " << KELVO_SHARED_DATA << "/marc21";
  testing::TempDir dir;
  const std::vector<std::string> filter;
  for (const auto& file : files) {
    SCOPED_TRACE(file.string());
    std::int64_t written = 0;
    std::int64_t dropped = 0;
    try {
      TMrc21ToMrcKv kv(dir.File("out.mrc"), file.string(), "\x1d", filter, true, true,
                       dir.File("periodika.mrc"), true, dir.File("utgallrade.mrc"));
      kv.ConversionLabel = "BatSorM21";
      while (!kv.EndOfInput)
        kv.ConvertNext();
      for (const TRunCount& c : kv.RunCounts())
        if (!c.Subset) (c.FileName.empty() ? dropped : written) += c.Count;
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
      continue;
    }
    EXPECT_EQ(written + dropped, RecordCount(testing::ReadAll(file.string())));
  }
}

} // namespace
} // namespace kelvo::sorvia_dialect
