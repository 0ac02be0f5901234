#include "record/Binfile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/resource.h>

#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TempDir;

TEST(BinFileTests, OpenReadSeekAndSize) {
  TempDir dir;
  const std::string file = dir.Write("in.mrc", "0123456789");
  TBinFile f;
  EXPECT_EQ(f.Size(), -1);
  ASSERT_TRUE(f.Open(file));
  EXPECT_TRUE(f.IsOpen);
  EXPECT_EQ(f.LastError, 0);
  EXPECT_EQ(f.Size(), 10);
  char buffer[16] = {};
  EXPECT_EQ(f.Read(buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), "0123");
  // Size measures without moving the position.
  EXPECT_EQ(f.Size(), 10);
  EXPECT_EQ(f.Position(), 4);
  EXPECT_FALSE(f.AtEof());
  f.Seek(8);
  EXPECT_EQ(f.Read(buffer, 16), 2);
  EXPECT_EQ(std::string(buffer, 2), "89");
  EXPECT_TRUE(f.AtEof());
  EXPECT_EQ(f.Read(buffer, 16), 0);
  f.SeekStart();
  EXPECT_EQ(f.Position(), 0);
  f.SeekEnd();
  EXPECT_EQ(f.Position(), 10);
  f.Close();
  EXPECT_FALSE(f.IsOpen);
  EXPECT_EQ(f.Read(buffer, 4), 0);
  EXPECT_EQ(f.Position(), -1);
}

TEST(BinFileTests, MissingFileIsReportedNotRaised) {
  TempDir dir;
  TBinFile f;
  EXPECT_FALSE(f.Open(dir.File("saknas.mrc")));
  EXPECT_FALSE(f.IsOpen);
  EXPECT_NE(f.LastError, 0);
  EXPECT_FALSE(f.CreateFile(dir.File("no/folder/ut.mrc")));
  EXPECT_FALSE(f.WriteString("x"));
}

TEST(BinFileTests, OpenIsReadOnly) {
  TempDir dir;
  const std::string file = dir.Write("in.mrc", "abc");
  TBinFile f;
  ASSERT_TRUE(f.Open(file));
  EXPECT_FALSE(f.WriteString("x"));
  f.Close();
  EXPECT_EQ(ReadAll(file), "abc");
}

TEST(BinFileTests, CreateTruncatesAndWritesEveryByteInOrder) {
  TempDir dir;
  const std::string file = dir.Write("ut.mrc", std::string(5000, 'o'));
  std::string text;
  for (int i = 0; i < 3000; ++i)
    text += static_cast<char>(i % 256);
  {
    TBinFile f;
    ASSERT_TRUE(f.CreateFile(file));
    EXPECT_EQ(f.FileName(), file);
    EXPECT_TRUE(f.WriteString(text));
    EXPECT_TRUE(f.WriteString(""));
    EXPECT_TRUE(f.WriteString("^"));
  } // the destructor closes
  EXPECT_EQ(ReadAll(file), text + "^");
}

TEST(BinFileTests, FullDeviceMakesWriteStringFail) {
  TBinFile f;
  f.OpenMode = 1; // write
  ASSERT_TRUE(f.Open("/dev/full"));
  EXPECT_FALSE(f.WriteString("one record\r\n^\r\n"));
}

// A file size limit makes the system take part of a write and refuse the
// rest, as a full disk does.
TEST(BinFileTests, AFailedWriteLeavesTheFileWhereThePreviousWriteEnded) {
  TempDir dir;
  const std::string file = dir.File("ut.mrc");
  TBinFile f;
  ASSERT_TRUE(f.OpenForOutput(file));
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 10;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool first = f.WriteString("record");  // 6 bytes fit
  const bool second = f.WriteString("second"); // 4 of 6 fit, then the limit
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(first);
  EXPECT_FALSE(second);
  EXPECT_EQ(ReadAll(file), "record");
  EXPECT_TRUE(f.WriteString("!"));
  EXPECT_EQ(ReadAll(file), "record!");
}

TEST(BinFileTests, ReopeningClosesThePreviousFile) {
  TempDir dir;
  const std::string a = dir.Write("a.mrc", "aaa");
  const std::string b = dir.Write("b.mrc", "bb");
  TBinFile f;
  ASSERT_TRUE(f.Open(a));
  const int first = f.Handle;
  ASSERT_TRUE(f.Open(b));
  EXPECT_EQ(f.Size(), 2);
  // The first descriptor was released, so the system hands it out again.
  EXPECT_EQ(f.Handle, first);
}

} // namespace
} // namespace kelvo
