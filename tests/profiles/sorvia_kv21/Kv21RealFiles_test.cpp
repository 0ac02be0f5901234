// Real ISO 2709 files from other systems through profile 1: every record
// ends up in exactly one place, and nothing trips the sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "profiles/sorvia_kv21/Kv21TestSupport.h"
#include "support/SharedData.h"

namespace kelvo::sorvia_kv21 {
namespace {

namespace fs = std::filesystem;

TEST(Kv21RealFiles, EveryRecordIsWrittenOnceOrCountedAsDropped) {
  const auto files = testing::IsoFiles();
  KELVO_SKIP_WITHOUT_ISO_FILES(files);
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
    EXPECT_EQ(routed, testing::IsoRecordCount(bytes));
    for (const std::string* out : {&result.Main, &result.Periodicals, &result.Weeded}) {
      EXPECT_TRUE(out->empty() || out->ends_with("\r\n^\r\n"));
    }
  }
}

} // namespace
} // namespace kelvo::sorvia_kv21
