// Telling ISO 2709 input from line format (kelvokonv --format auto).
#include "app/InputFormat.h"

#include <gtest/gtest.h>

#include "record/test_files.h"

namespace kelvo {
namespace {

struct TFormatCase {
  const char* Name;
  std::string Content;
  bool Iso;
};

class InputFormat : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(InputFormat, LooksAtTheLengthAndTheFirstTerminator) {
  testing::TempDir dir;
  EXPECT_EQ(LooksLikeIso2709(dir.Write("in", GetParam().Content)), GetParam().Iso);
}

INSTANTIATE_TEST_SUITE_P(
    Files, InputFormat,
    ::testing::Values(TFormatCase{"Iso",
                                  "00042nam  2200037   4500001000200000\x1e"
                                  "a\x1e\x1d",
                                  true},
                      TFormatCase{"LineFormat", "*001 123\r\n*245  $aTitel\r\n^\r\n", false},
                      TFormatCase{"RecordEndsBeforeAnyField", "00024nam  \x1d\x1e", false},
                      TFormatCase{"NoDigits", "0004xnam\x1e\x1d", false}, TFormatCase{"Short", "0001", false},
                      TFormatCase{"Empty", "", false},
                      TFormatCase{"FieldBeyondTheFirstBlock", "12345" + std::string(70000, 'x') + "\x1e",
                                  true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(InputFormatFile, AMissingFileIsNotIso) { EXPECT_FALSE(LooksLikeIso2709("/saknas/helt/in.mrc")); }

TEST(InputFormatFile, RealMarc21FilesAreIso) {
  const std::string file = std::string(KELVO_SHARED_DATA) + "/marc21/marc4j/sample1.mrc";
  std::ifstream probe(file);
  if (!probe) GTEST_SKIP() << "testdata saknas: " << file;
  EXPECT_TRUE(LooksLikeIso2709(file));
}

} // namespace
} // namespace kelvo
