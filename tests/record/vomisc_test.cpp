#include "record/vomisc.h"

#include <gtest/gtest.h>

#include "support/SourceDate.h"

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <initializer_list>
#include <optional>
#include <string>

namespace kelvo {
namespace {

TEST(VoMiscTests, PercentTruncates) {
  EXPECT_EQ(Percent(1, 3), 33);
  EXPECT_EQ(Percent(2, 3), 66);
  EXPECT_EQ(Percent(0, 0), 0);
  EXPECT_EQ(Percent(5, 0), 0);
  EXPECT_EQ(Percent(3, 3), 100);
  EXPECT_EQ(Percent(131072, 300000), 43);
  EXPECT_EQ(Percent(262144, 300000), 87);
  // part * 100 does not fit in 64 bits here.
  EXPECT_EQ(Percent(UINT64_MAX / 2, UINT64_MAX), 49);
  EXPECT_EQ(Percent(UINT64_MAX, UINT64_MAX), 100);
}

TEST(VoMiscTests, FormatDateYmd) {
  EXPECT_EQ(FormatDateYmd({2004, 3, 5}), "2004-03-05");
  EXPECT_EQ(FormatDateYmd({1999, 12, 31}), "1999-12-31");
}

using SourceDateEpoch = testing::ScopedSourceDate;

std::string LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  return FormatDateYmd({parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday});
}

TEST(VoMiscTests, TodayHonoursSourceDateEpoch) {
  {
    const SourceDateEpoch epoch("1078444800"); // 2004-03-05 00:00:00 UTC
    EXPECT_EQ(FormatDateYmd(Today()), "2004-03-05");
    EXPECT_EQ(TodayYmd(), "2004-03-05");
  }
  {
    const SourceDateEpoch epoch("1078531199"); // the last second of that day
    EXPECT_EQ(FormatDateYmd(Today()), "2004-03-05");
    EXPECT_EQ(TodayYmd(), "2004-03-05");
  }
  {
    const SourceDateEpoch epoch("0");
    EXPECT_EQ(FormatDateYmd(Today()), "1970-01-01");
    EXPECT_EQ(TodayYmd(), "1970-01-01");
  }
}

TEST(VoMiscTests, TodayIgnoresAnInvalidSourceDateEpoch) {
  for (const char* value : std::initializer_list<const char*>{"", "abc", "12x", "-5", " 12", nullptr}) {
    const SourceDateEpoch epoch(value);
    const std::string before = LocalToday();
    const std::string today = FormatDateYmd(Today());
    // Around midnight the date may move on between the two readings.
    EXPECT_TRUE(today == before || today == LocalToday()) << (value ? value : "(unset)");
    EXPECT_TRUE(TodayYmd() == before || TodayYmd() == LocalToday()) << (value ? value : "(unset)");
  }
}

} // namespace
} // namespace kelvo
