// The field survey as the shell drives it.
#include "app/FieldSurvey.h"

#include <gtest/gtest.h>

#include "record/MarcError.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

TEST(FieldSurvey, ListsEveryTagWithItsCodesAndShowsProgress) {
  testing::TempDir dir;
  const std::string in = dir.Write("in.mrc", "*001 12\r\n*245 10$aA$cC\r\n^\r\n*245 10$aA$bB$6x\r\n^\r\n");
  testing::TFakeRunView view;
  testing::TFakeWinApi api;
  EXPECT_EQ(FieldSurveyText(in, view, api), "001\r\n2456abc\r\n");
  ASSERT_FALSE(view.Status.empty());
  EXPECT_EQ(view.Status.front(), "Samlar in unika f\xe4lt/delf\xe4lt...");
  // One gauge setting before the loop and one per record, each followed by the
  // pending events; progress moves per 131072-byte chunk: none for a small file.
  ASSERT_GE(view.Gauge.size(), 3U);
  EXPECT_EQ(view.Gauge.back(), 0);
  EXPECT_EQ(api.ProcessCalls, static_cast<int>(view.Gauge.size()) - 1);
}

TEST(FieldSurvey, AMissingFileRaisesNamingIt) {
  testing::TFakeRunView view;
  testing::TFakeWinApi api;
  try {
    FieldSurveyText("/saknas/in.mrc", view, api);
    FAIL() << "no error";
  } catch (const MarcError& e) {
    EXPECT_NE(std::string(e.what()).find("/saknas/in.mrc"), std::string::npos);
  }
}

} // namespace
} // namespace kelvo
