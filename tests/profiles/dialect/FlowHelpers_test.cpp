#include <gtest/gtest.h>

#include "profiles/dialect/Common4All.h"

namespace kelvo {
namespace {

TEST(DialectCommon, StripEndingNeedsLongerText) {
  std::string s = " /";
  EXPECT_FALSE(StripEnding(s, " /"));
  s = "Titel /";
  EXPECT_TRUE(StripEnding(s, " /"));
  EXPECT_EQ(s, "Titel");
}

} // namespace
} // namespace kelvo
