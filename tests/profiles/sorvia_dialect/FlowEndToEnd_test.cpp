// kelvokonv --profile 0 on the records of tests/data/dialect, in line format
// and in ISO 2709, compared byte for byte with the expected files there.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/Kelvokonv.h"
#include "support/TempDir.h"

namespace kelvo::sorvia_dialect {
namespace {

const std::string DataDir = std::string(KELVO_SOURCE_DIR) + "/tests/data/dialect/";

class DialectEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::exists(KELVOKONV_PATH)) GTEST_SKIP() << "kelvokonv saknas: " << KELVOKONV_PATH;
    dir.Write("kelvokonv.ini", ""); // every setting at its default
  }

  // Runs kelvokonv with settings of its own (none: the defaults) and a fixed date.
  int Run(const std::vector<std::string>& args) {
    std::vector<std::string> all{"--quiet",    "--profile",  "0", "--ini", dir.File("kelvokonv.ini"),
                                 "--data-dir", dir.File(".")};
    all.insert(all.end(), args.begin(), args.end());
    const auto r = testing::RunKelvokonv({.Args = all, .Env = {"SOURCE_DATE_EPOCH=1700000000"}});
    err_ = r.Err;
    return r.Status;
  }
  const std::string& Err() const { return err_; }

  testing::TempDir dir;
  std::string err_;
};

TEST_F(DialectEndToEnd, ConvertsLineFormatAndIso2709Alike) {
  for (const char* jobs : {"1", "2"})
    for (const auto& [format, input] : {std::pair{"line", "records.mrc"}, std::pair{"iso", "records.iso"}}) {
      SCOPED_TRACE(std::string(input) + ", --jobs " + jobs);
      ASSERT_EQ(Run({"--jobs", jobs, "--format", format, "--periodicals", dir.File("periodika.mrc"),
                     DataDir + input, dir.File("out.mrc")}),
                0)
          << Err();
      EXPECT_EQ(testing::ReadAll(dir.File("out.mrc")), testing::ReadAll(DataDir + "converted.mrc"));
      EXPECT_EQ(testing::ReadAll(dir.File("periodika.mrc")),
                testing::ReadAll(DataDir + "converted-periodika.mrc"));
    }
}

TEST_F(DialectEndToEnd, NoConvertPassesRecordsThrough) {
  ASSERT_EQ(Run({"--format", "line", "--no-convert", DataDir + "records.mrc", dir.File("out.mrc")}), 0)
      << Err();
  EXPECT_EQ(testing::ReadAll(dir.File("out.mrc")), testing::ReadAll(DataDir + "unconverted.mrc"));
}

TEST_F(DialectEndToEnd, UncreatableSideFileFailsBeforeAnyRecord) {
  const std::string missing = dir.File("saknas/utgallrade.mrc");
  EXPECT_EQ(Run({"--format", "line", "--weeded", missing, DataDir + "records.mrc", dir.File("out.mrc")}), 1);
  EXPECT_NE(Err().find(missing), std::string::npos) << Err();
  EXPECT_EQ(testing::ReadAll(dir.File("out.mrc")), "");
}

} // namespace
} // namespace kelvo::sorvia_dialect
