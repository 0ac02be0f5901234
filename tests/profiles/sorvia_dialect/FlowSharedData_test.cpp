// Real ISO 2709 files from other catalogues, broken ones included: each must
// convert without an error, and every record must end up somewhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "support/ConverterRun.h"
#include "support/SharedData.h"

namespace kelvo::sorvia_dialect {
namespace {

TEST(DialectSharedData, EveryIsoFileConverts) {
  const std::vector<std::filesystem::path> files = testing::IsoFiles();
  KELVO_SKIP_WITHOUT_ISO_FILES(files);
  for (const auto& file : files) {
    SCOPED_TRACE(file.string());
    const std::string bytes = testing::ReadAll(file.string());
    std::int64_t written = 0;
    std::int64_t dropped = 0;
    try {
      testing::TConverterRun<TMrc21ToMrcKv> run(bytes, {.Periodicals = true, .Weeded = true, .Iso = true});
      run.Kv->ConversionLabel = "BatSorM21";
      run.RunToEnd();
      for (const TRunCount& c : run.Counts)
        if (!c.Subset) (c.FileName.empty() ? dropped : written) += c.Count;
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
      continue;
    }
    EXPECT_EQ(written + dropped, testing::IsoRecordCount(bytes));
  }
}

} // namespace
} // namespace kelvo::sorvia_dialect
