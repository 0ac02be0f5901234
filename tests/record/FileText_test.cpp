#include "record/FileText.h"

#include <gtest/gtest.h>

#include "record/MarcError.h"
#include "record/test_files.h"

namespace kelvo {
namespace {

TEST(FileText, ReadsAFileWholeUpToItsLimit) {
  testing::TempDir dir;
  const TFileText missing = ReadFileText(dir.File("saknas.txt"), 4, "filen");
  EXPECT_FALSE(missing.Exists);
  const TFileText read = ReadFileText(dir.Write("a.txt", "1234"), 4, "filen");
  EXPECT_TRUE(read.Exists && read.Regular);
  EXPECT_EQ(read.Text, "1234");
  const std::string big = dir.Write("b.txt", "12345");
  try {
    ReadFileText(big, 4, "filterfilen");
    FAIL() << "no error";
  } catch (const MarcError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Kan inte l\xe4sa filterfilen " + big + ": filen \xe4r st\xf6rre \xe4n 4 byte");
  }
}

} // namespace
} // namespace kelvo
