#include "record/VoFileOutStream.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include "record/MarcError.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TempDir;

TEST(VoFileOutStreamTests, WritesBytesAsTheyAreAndTruncates) {
  TempDir dir;
  const std::string file = dir.Write("periodika.mrc", "old content that is longer");
  {
    TVoFileOutStream out(file);
    EXPECT_EQ(out.FileName(), file);
    out.WriteString("*245 $aG\xf6teborg\r\n^\r\n");
    out.WriteString("");
    out.WriteString(std::string("\0\xff", 2));
  }
  EXPECT_EQ(ReadAll(file), std::string("*245 $aG\xf6teborg\r\n^\r\n\0\xff", 22));
}

TEST(VoFileOutStreamTests, KeepLeavesTheContentUntilTruncateAndRecordsWaitForTheBlock) {
  TempDir dir;
  const std::string file = dir.Write("utgallrade.mrc", "earlier run");
  TVoFileOutStream out(file, "filen", TVoFileOutStream::TOpen::Keep);
  EXPECT_EQ(ReadAll(file), "earlier run");
  out.Truncate();
  out.WriteString("abc");
  out.Block() += "half a rec";
  out.DropOpenRecord();
  EXPECT_EQ(ReadAll(file), ""); // gathered in the block
  out.Flush();
  EXPECT_EQ(ReadAll(file), "abc");
  // A full block goes out by itself, whole records only.
  const std::string record(1000, 'r');
  std::size_t written = 3;
  while (ReadAll(file).size() == 3) {
    out.Block() += record;
    out.EndRecord();
    written += record.size();
  }
  EXPECT_EQ(ReadAll(file).size(), written);
  EXPECT_GE(written, TVoFileOutStream::BlockSize);
  out.Close();
  out.Close(); // a second Close does nothing
  EXPECT_THROW(out.WriteString("x"), MarcError);
  EXPECT_EQ(ReadAll(file).size(), written);
  EXPECT_EQ(out.LostRecords(), 1);
}

// A file size limit makes the system take part of a block and refuse the
// rest, as a full disk does.
TEST(VoFileOutStreamTests, ABlockTakenInPartKeepsTheWholeRecordsThatFit) {
  TempDir dir;
  const std::string file = dir.File("ut.mrc");
  TVoFileOutStream out(file);
  for (const char* record : {"rec1|", "rec2|", "rec3|", "rec4|"})
    out.WriteString(record);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 12; // two records and a piece of the third
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_THROW(out.Flush(), MarcError);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(ReadAll(file), "rec1|rec2|");
  EXPECT_EQ(out.LostRecords(), 2);
  out.WriteString("rec5|");
  out.Close();
  EXPECT_EQ(ReadAll(file), "rec1|rec2|rec5|");
}

TEST(VoFileOutStreamTests, FailuresNameTheFileByItsRole) {
  TempDir dir;
  const std::string missing = dir.File("no/such/folder/x.mrc");
  const auto errorOf = [](auto&& action) {
    try {
      action();
    } catch (const MarcError& e) {
      return std::string(e.what());
    }
    return std::string("no exception");
  };
  EXPECT_EQ(errorOf([&] { TVoFileOutStream out(missing); }), "Kan inte skapa filen " + missing);
  EXPECT_EQ(errorOf([&] { TVoFileOutStream out(missing, "filen f\xf6r periodika"); }),
            "Kan inte skapa filen f\xf6r periodika " + missing);
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "/dev/full saknas";
  EXPECT_EQ(errorOf([] {
              TVoFileOutStream full("/dev/full");
              full.WriteString("one record\r\n^\r\n");
              full.Close();
            }),
            "Kan inte skriva till filen /dev/full");
}

} // namespace
} // namespace kelvo
