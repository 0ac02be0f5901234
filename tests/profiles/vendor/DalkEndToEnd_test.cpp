// kelvokonv --profile 2 on the vendor samples of data/samples with the
// profile's switches, compared byte for byte with the expected files of
// tests/data/vendor: the main output and "flerband.txt".
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "record/test_files.h"
#include "support/Kelvokonv.h"

namespace kelvo {
namespace {

const std::string SampleDir = std::string(KELVO_SOURCE_DIR) + "/data/samples/";
const std::string ExpectedDir = std::string(KELVO_SOURCE_DIR) + "/tests/data/vendor/";

struct TVendorRun {
  const char* Name;
  const char* Input;    // in data/samples
  const char* Switch;   // of kelvokonv, or none
  const char* Expected; // in tests/data/vendor
  const char* ExpectedMultiVolume;
};

const TVendorRun kVendorRuns[] = {
    {"one pass, translated", "dalkii-poster.mrc", "", "poster.expected.mrc", "poster.flerband.expected.txt"},
    {"untranslated", "dalkii-poster.mrc", "--no-diacritics", "poster-raw.expected.mrc",
     "poster.flerband.expected.txt"},
    {"two passes", "dalkii-poster.mrc", "--only-improper-parts", "poster-improper.expected.mrc",
     "empty.expected.txt"},
    {"proper works kept", "dalkii-poster.mrc", "--no-separate-proper-works", "poster-together.expected.mrc",
     "empty.expected.txt"},
    {"ISO 2709 with $ sequences", "dalkii-iso2709.mrc", "", "iso2709.expected.mrc", "empty.expected.txt"},
    {"ISO 2709 untranslated", "dalkii-iso2709.mrc", "--no-diacritics", "iso2709-raw.expected.mrc",
     "empty.expected.txt"},
};

class DalkEndToEnd : public ::testing::TestWithParam<TVendorRun> {
protected:
  void SetUp() override {
    if (!std::filesystem::exists(KELVOKONV_PATH)) GTEST_SKIP() << "kelvokonv saknas: " << KELVOKONV_PATH;
    dir.Write("kelvokonv.ini", ""); // every setting at its default
  }

  testing::TKelvokonvResult Run(const TVendorRun& run) {
    std::vector<std::string> args{"--quiet",    "--profile", "2", "--ini", dir.File("kelvokonv.ini"),
                                  "--data-dir", SampleDir};
    if (*run.Switch) args.push_back(run.Switch);
    args.insert(args.end(), {SampleDir + run.Input, dir.File("out.mrc")});
    return testing::RunKelvokonv({.Args = args, .Env = {"SOURCE_DATE_EPOCH=1700000000"}});
  }

  testing::TempDir dir;
};

TEST_P(DalkEndToEnd, GivesTheExpectedFiles) {
  const TVendorRun& run = GetParam();
  const testing::TKelvokonvResult r = Run(run);
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(testing::ReadAll(dir.File("out.mrc")), testing::ReadAll(ExpectedDir + run.Expected));
  EXPECT_EQ(testing::ReadAll(dir.File("flerband.txt")),
            testing::ReadAll(ExpectedDir + run.ExpectedMultiVolume));
}

INSTANTIATE_TEST_SUITE_P(Samples, DalkEndToEnd, ::testing::ValuesIn(kVendorRuns),
                         [](const ::testing::TestParamInfo<TVendorRun>& info) {
                           std::string name;
                           for (const char* c = info.param.Name; *c; ++c)
                             name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                           return name;
                         });

} // namespace
} // namespace kelvo
