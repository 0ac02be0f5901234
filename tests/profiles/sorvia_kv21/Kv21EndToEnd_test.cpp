// Sample files through profile 1 with the settings a run has by default,
// compared byte for byte with the expected files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/sorvia_kv21/Kv21TestSupport.h"

namespace kelvo::sorvia_kv21 {
namespace {

std::string DataFile(const std::string& name) {
  return testing::ReadAll(std::string(KELVO_SOURCE_DIR) + "/tests/data/kv21/" + name);
}

struct TSampleRun {
  const char* Name;
  const char* Input;
  bool Iso;
  bool Convert;
  bool Options; // keepold035handling and fld852cunconditionally
  bool SideFiles;
  const char* Expected;
  const char* ExpectedPeriodicals; // with SideFiles
  const char* ExpectedWeeded;
};

const TSampleRun kSampleRuns[] = {
    {"line format", "sample.mrc", false, true, false, false, "sample.expected.mrc", "", ""},
    {"without conversion", "sample.mrc", false, false, false, false, "sample-noconvert.expected.mrc", "", ""},
    {"with the options", "sample.mrc", false, true, true, false, "sample-options.expected.mrc", "", ""},
    {"ISO 2709 with side files", "sample.iso", true, true, false, true, "sample-iso.expected.mrc",
     "sample-iso.periodika.expected.mrc", "sample-iso.utgallrade.expected.mrc"},
};

TEST(Kv21EndToEnd, SamplesGiveTheExpectedFiles) {
  for (const int jobs : {1, 2})
    for (const TSampleRun& run : kSampleRuns) {
      SCOPED_TRACE(std::string(run.Name) + ", jobs " + std::to_string(jobs));
      const auto result = kv21test::RunKv21(DataFile(run.Input), {.Iso = run.Iso,
                                                                  .Periodicals = run.SideFiles,
                                                                  .Weeded = run.SideFiles,
                                                                  .Configure = [&](TMrc21ToKv21& konv) {
                                                                    konv.ConvertToKv2 = run.Convert;
                                                                    konv.ConversionLabel = "BatSorKV21";
                                                                    konv.RemoveDuplicateLines = true;
                                                                    konv.SubfieldLines = true;
                                                                    konv.KeepOld035Handling = run.Options;
                                                                    konv.Fld852cUnconditionally = run.Options;
                                                                    konv.Jobs = jobs;
                                                                  }});
      EXPECT_EQ(result.Main, DataFile(run.Expected));
      EXPECT_EQ(result.Periodicals, run.SideFiles ? DataFile(run.ExpectedPeriodicals) : "");
      EXPECT_EQ(result.Weeded, run.SideFiles ? DataFile(run.ExpectedWeeded) : "");
    }
}

} // namespace
} // namespace kelvo::sorvia_kv21
