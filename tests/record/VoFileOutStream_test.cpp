#include "record/VoFileOutStream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

TEST(VoFileOutStreamTests, KeepLeavesTheContentUntilTruncate) {
  TempDir dir;
  const std::string file = dir.Write("utgallrade.mrc", "earlier run");
  TVoFileOutStream out(file, "filen", TVoFileOutStream::TOpen::Keep);
  EXPECT_EQ(ReadAll(file), "earlier run");
  out.Truncate();
  out.WriteString("abc");
  EXPECT_EQ(ReadAll(file), "abc"); // nothing waits in a buffer
  out.Close();
  out.Close(); // a second Close does nothing
  EXPECT_THROW(out.WriteString("x"), MarcError);
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
  EXPECT_EQ(errorOf([] { TVoFileOutStream("/dev/full").WriteString("one record\r\n^\r\n"); }),
            "Kan inte skriva till filen /dev/full");
}

} // namespace
} // namespace kelvo
