#include "record/VoFileOutStream.h"

#include <gtest/gtest.h>

#include <string>

#include "record/MarcError.h"
#include "record/test_files.h"

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

TEST(VoFileOutStreamTests, FlushAndCloseStoreTheData) {
  TempDir dir;
  const std::string file = dir.File("utgallrade.mrc");
  TVoFileOutStream out(file);
  out.WriteString("abc");
  out.Flush();
  EXPECT_EQ(ReadAll(file), "abc");
  out.WriteString("def");
  out.Close();
  EXPECT_EQ(ReadAll(file), "abcdef");
  out.Close(); // a second Close does nothing
  out.Flush();
  EXPECT_THROW(out.WriteString("x"), MarcError);
}

TEST(VoFileOutStreamTests, UncreatableFileRaisesTheFixedMessage) {
  TempDir dir;
  const std::string file = dir.File("no/such/folder/x.mrc");
  try {
    TVoFileOutStream out(file);
    FAIL() << "no exception";
  } catch (const MarcError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + file);
  }
}

TEST(VoFileOutStreamTests, FullDeviceRaisesAtTheLatestOnFlushOrClose) {
  const std::string expected = "Kan inte skriva till filen /dev/full";
  const auto writeThen = [&](void (*finish)(TVoFileOutStream&)) {
    try {
      TVoFileOutStream out("/dev/full");
      out.WriteString("one record\r\n^\r\n");
      finish(out);
      return std::string("no exception");
    } catch (const MarcError& e) {
      return std::string(e.what());
    }
  };
  EXPECT_EQ(writeThen([](TVoFileOutStream& out) { out.Flush(); }), expected);
  EXPECT_EQ(writeThen([](TVoFileOutStream& out) { out.Close(); }), expected);
  // More than the buffer holds fails in WriteString itself.
  EXPECT_EQ(writeThen([](TVoFileOutStream& out) { out.WriteString(std::string(1 << 20, 'x')); }), expected);
}

} // namespace
} // namespace kelvo
