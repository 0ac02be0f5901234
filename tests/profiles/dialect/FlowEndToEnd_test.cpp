// kelvokonv --profile 0 on the records of tests/data/dialect, in line format
// and in ISO 2709, compared byte for byte with the expected files there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <utility>

#include "record/test_files.h"

namespace kelvo {
namespace {

const std::string DataDir = std::string(KELVO_SOURCE_DIR) + "/tests/data/dialect/";

class DialectEndToEnd : public ::testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::exists(KELVOKONV_PATH)) GTEST_SKIP() << "kelvokonv saknas: " << KELVOKONV_PATH;
    dir.Write("kelvokonv.ini", ""); // every setting at its default
  }

  // Runs kelvokonv with settings of its own (none: the defaults) and a fixed date.
  int Run(const std::string& args) {
    const std::string command = "SOURCE_DATE_EPOCH=1700000000 '" + std::string(KELVOKONV_PATH) +
                                "' --quiet --profile 0 --ini '" + dir.File("kelvokonv.ini") +
                                "' --data-dir '" + dir.File(".") + "' " + args + " 2>'" +
                                dir.File("stderr.txt") + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Err() const { return testing::ReadAll(dir.File("stderr.txt")); }

  testing::TempDir dir;
};

TEST_F(DialectEndToEnd, ConvertsLineFormatAndIso2709Alike) {
  for (const auto& [format, input] : {std::pair{"line", "records.mrc"}, std::pair{"iso", "records.iso"}}) {
    SCOPED_TRACE(input);
    const std::string args = std::string("--format ") + format + " --periodicals '" +
                             dir.File("periodika.mrc") + "' '" + DataDir + input + "' '" +
                             dir.File("out.mrc") + "'";
    ASSERT_EQ(Run(args), 0) << Err();
    EXPECT_EQ(testing::ReadAll(dir.File("out.mrc")), testing::ReadAll(DataDir + "converted.mrc"));
    EXPECT_EQ(testing::ReadAll(dir.File("periodika.mrc")),
              testing::ReadAll(DataDir + "converted-periodika.mrc"));
  }
}

TEST_F(DialectEndToEnd, NoConvertPassesRecordsThrough) {
  const std::string args =
      "--format line --no-convert '" + DataDir + "records.mrc' '" + dir.File("out.mrc") + "'";
  ASSERT_EQ(Run(args), 0) << Err();
  EXPECT_EQ(testing::ReadAll(dir.File("out.mrc")), testing::ReadAll(DataDir + "unconverted.mrc"));
}

TEST_F(DialectEndToEnd, UncreatableSideFileFailsBeforeAnyRecord) {
  const std::string missing = dir.File("saknas/utgallrade.mrc");
  const std::string args =
      "--format line --weeded '" + missing + "' '" + DataDir + "records.mrc' '" + dir.File("out.mrc") + "'";
  EXPECT_EQ(Run(args), 1);
  EXPECT_NE(Err().find(missing), std::string::npos) << Err();
  EXPECT_EQ(testing::ReadAll(dir.File("out.mrc")), "");
}

} // namespace
} // namespace kelvo
