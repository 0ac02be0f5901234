// Telling ISO 2709 input from line format (kelvokonv --format auto).
#include "app/InputFormat.h"

#include <gtest/gtest.h>

#include "record/Iso2709.h"
#include "record/LineFormat.h"
#include "support/SharedData.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

const std::string kIso = "00040nam  2200037   4500001000200000\x1e"
                         "a\x1e\x1d";

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
                                  true},
                      // One damaged record among good ones does not decide.
                      TFormatCase{"DamagedFirstRecord", "x" + kIso.substr(1) + kIso + kIso, true},
                      TFormatCase{"LineEndAfterEachRecord", kIso + "\r\n" + kIso + "\r\n", true},
                      TFormatCase{"LineFormatWithOneIsoLookingRecord",
                                  kIso + "^\r\n*245  $aA\r\n^\r\n*245  $aB\r\n^\r\n", false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(InputFormatRecord, TellsARecordOfEachFormatAndAnIncompleteLastOne) {
  struct Row {
    std::string text;
    bool iso, line, incomplete;
  };
  const std::string record = kIso.substr(0, kIso.size() - 1); // without its terminator
  const Row rows[] = {
      {record, true, false, false},
      {record.substr(0, 30), false, false, true},      // cut inside the directory
      {record.substr(0, 10), false, false, true},      // cut inside the leader
      {"000", false, false, true},                     // cut inside the record length
      {"x" + record.substr(1), false, false, false},   // no record length
      {"00099" + record.substr(5), true, false, true}, // the length runs past the end
      {"\r\n", false, false, false},                   // a line end after the last record
      {"*001 1\r\n*245  $aA\r\n", false, true, false},
      {"\r\n  *245  $aA", false, true, false},
      {"001 1\r\nx*245", false, false, false},
      {"", false, false, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(ReadsAsIso2709Record(row.text), row.iso) << row.text;
    EXPECT_EQ(HasFieldLine(row.text), row.line) << row.text;
    EXPECT_EQ(IsIncompleteIso2709Record(row.text), row.incomplete) << row.text;
  }
}

TEST(InputFormatFile, AMissingFileIsNotIso) { EXPECT_FALSE(LooksLikeIso2709("/saknas/helt/in.mrc")); }

TEST(InputFormatFile, RealMarc21FilesAreIso) {
  const std::string file = testing::SharedFile("marc4j/sample1.mrc");
  std::ifstream probe(file);
  if (!probe) GTEST_SKIP() << "testdata saknas: " << file;
  EXPECT_TRUE(LooksLikeIso2709(file));
}

} // namespace
} // namespace kelvo
