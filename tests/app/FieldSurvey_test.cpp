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
  std::string text = "*001 12\r\n*245 10$aA$cC\r\n^\r\n*245 10$aA$bB$6x\r\n^\r\n";
  for (int i = 0; i < 400; ++i)
    text += "*500  $aN\r\n^\r\n";
  testing::TFakeShell shell;
  EXPECT_EQ(FieldSurveyText(dir.Write("in.mrc", text), shell.Frame), "001\r\n2456abc\r\n500a\r\n");
  // Shown as a run: Cancel during it, the count every 200 records.
  EXPECT_EQ(shell.View.Running, (std::vector<bool>{true, false}));
  EXPECT_EQ(shell.View.Status,
            (std::vector<std::string>{"Samlar in unika f\xe4lt/delf\xe4lt...",
                                      "Samlar in unika f\xe4lt/delf\xe4lt... 200 poster",
                                      "Samlar in unika f\xe4lt/delf\xe4lt... 400 poster"}));
  // Before the loop and after it the gauge is 0; in between one setting per
  // record, each followed by the pending events.
  EXPECT_EQ(shell.View.Gauge.back(), 0);
  EXPECT_EQ(shell.Api.ProcessCalls, static_cast<int>(shell.View.Gauge.size()) - 2);
}

TEST(FieldSurvey, CancelStopsItWithoutAResult) {
  testing::TempDir dir;
  testing::TFakeShell shell;
  shell.Msg.Answers = {true};
  shell.Api.OnProcess = [&](int call) {
    if (call == 2) shell.Frame.CancelCommand("Kelvo");
  };
  EXPECT_EQ(
      FieldSurveyText(dir.Write("in.mrc", "*001 1\r\n^\r\n*001 2\r\n^\r\n*001 3\r\n^\r\n"), shell.Frame),
      std::nullopt);
  EXPECT_EQ(shell.Api.ProcessCalls, 2);
  EXPECT_FALSE(shell.Frame.Running());
}

TEST(FieldSurvey, AMissingFileRaisesNamingIt) {
  testing::TFakeShell shell;
  try {
    FieldSurveyText("/saknas/in.mrc", shell.Frame);
    FAIL() << "no error";
  } catch (const MarcError& e) {
    EXPECT_NE(std::string(e.what()).find("/saknas/in.mrc"), std::string::npos);
  }
  EXPECT_TRUE(shell.View.Calls.empty());
}

} // namespace
} // namespace kelvo
