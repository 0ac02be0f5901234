// The loop every profile run shares: counter, status, gauge, events, cancel.
#include "app/RunFrame.h"

#include <gtest/gtest.h>

#include "app/FakeKonv.h"
#include "support/Fakes.h"

namespace kelvo {
namespace {

using testing::TCountingKonv;
using testing::TFakeShell;

TEST(RunFrameLoop, ShowsTheCountEvery200RecordsAndAtTheEnd) {
  TFakeShell shell;
  TCountingKonv konv(450);
  shell.Frame.BeginLoop();
  shell.Frame.ConvertLoop(konv);
  shell.Frame.ShowCount();
  shell.Frame.EndLoop();
  EXPECT_EQ(konv.Calls, 450);
  EXPECT_EQ(shell.Frame.RecordCount, 450);
  EXPECT_EQ(shell.View.Status,
            (std::vector<std::string>{"Antal konverterade poster: 200", "Antal konverterade poster: 400",
                                      "Antal konverterade poster: 450"}));
  EXPECT_EQ(shell.Api.ProcessCalls, 450);
}

TEST(RunFrameLoop, A199RecordRunShowsNoIntermediateCount) {
  TFakeShell shell;
  TCountingKonv konv(199);
  shell.Frame.BeginLoop();
  shell.Frame.ConvertLoop(konv);
  EXPECT_TRUE(shell.View.Status.empty());
}

TEST(RunFrameLoop, SetsTheGaugeFromPercentAfterEachRecord) {
  TFakeShell shell;
  TCountingKonv konv(4);
  shell.Frame.BeginLoop();
  shell.Frame.ConvertLoop(konv);
  shell.Frame.EndLoop();
  EXPECT_EQ(shell.View.Gauge, (std::vector<int>{0, 25, 50, 75, 100, 0}));
  EXPECT_EQ(shell.View.Running, (std::vector<bool>{true, false}));
}

TEST(RunFrameLoop, CancelDuringThe5thPassStopsAt5) {
  TFakeShell shell;
  TCountingKonv konv(450);
  shell.Api.OnProcess = [&](int call) {
    if (call == 5) shell.Frame.Cancelled = true;
  };
  shell.Frame.BeginLoop();
  shell.Frame.ConvertLoop(konv);
  EXPECT_EQ(konv.Calls, 5);
  EXPECT_EQ(shell.Frame.RecordCount, 5);
  EXPECT_TRUE(shell.Frame.Cancelled);
}

TEST(RunFrameLoop, BeginClearsTheFlagAndTheCounterOfTheLastRun) {
  TFakeShell shell;
  shell.Frame.Cancelled = true;
  shell.Frame.RecordCount = 17;
  TCountingKonv konv(3);
  shell.Frame.BeginLoop();
  EXPECT_FALSE(shell.Frame.Cancelled);
  shell.Frame.ConvertLoop(konv);
  EXPECT_EQ(shell.Frame.RecordCount, 3);
}

TEST(RunFrameCancel, AsksAndSetsTheFlagOnlyOnYes) {
  TFakeShell shell;
  shell.Msg.Answers = {false, true};
  TCountingKonv konv(450);
  shell.Api.OnProcess = [&](int call) {
    if (call == 2 || call == 7) shell.Frame.CancelCommand("Kelvo konvertering. Profil: SorvM21/KV2/Sorvia");
  };
  shell.Frame.BeginLoop();
  shell.Frame.ConvertLoop(konv);
  EXPECT_EQ(konv.Calls, 7); // No at the 2nd pass, Yes at the 7th
  ASSERT_EQ(shell.Msg.Boxes.size(), 2U);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Question);
  EXPECT_EQ(shell.Msg.Boxes[0].Text, "S\xe4kert du vill avbryta?");
  EXPECT_EQ(shell.Msg.Boxes[0].Caption, "Kelvo konvertering. Profil: SorvM21/KV2/Sorvia");
}

TEST(RunFrameGuard, EndsTheLoopWhenARecordRaises) {
  TFakeShell shell;
  TCountingKonv konv(10);
  konv.FailAt = 3;
  EXPECT_THROW(
      {
        TLoopGuard guard(shell.Frame);
        shell.Frame.BeginLoop();
        shell.Frame.ConvertLoop(konv);
      },
      std::runtime_error);
  EXPECT_FALSE(shell.Frame.Running());
  EXPECT_EQ(shell.View.Running, (std::vector<bool>{true, false}));
  EXPECT_EQ(shell.View.Gauge.back(), 0);
  EXPECT_EQ(shell.Frame.RecordCount, 3);
  EXPECT_FALSE(shell.Frame.Counts.empty()); // where the first records went is still told
}

TEST(RunFrameGuard, LeavesTheWindowAloneWhenNoLoopBegan) {
  TFakeShell shell;
  { TLoopGuard guard(shell.Frame); }
  EXPECT_TRUE(shell.View.Calls.empty());
}

TEST(RunSummary, TellsTheRecordsReadEachDestinationTheNotesAndACancel) {
  TFakeShell shell;
  shell.Frame.RecordCount = 7;
  shell.Frame.Counts = {{"Utfil", "/d/ut.mrc", 4},
                        {"Periodika", "/d/p.mrc", 1},
                        {"Ej skrivna", "", 1},
                        {"Ofullst\xe4ndiga", "", 1, true}};
  shell.Frame.Notes = {"Omkodade poster: 2 (UTF-8 2, MARC-8 0)"};
  shell.Frame.Warnings = {"Ofullst\xe4ndig sista post"}; // the shells' warning box tells it
  const std::vector<std::string> lines{"Antal konverterade poster: 7",
                                       "L\xe4sta poster: 6",
                                       "  Utfil: 4 (/d/ut.mrc)",
                                       "  Periodika: 1 (/d/p.mrc)",
                                       "  Ej skrivna: 1",
                                       "  Ofullst\xe4ndiga: 1",
                                       "Omkodade poster: 2 (UTF-8 2, MARC-8 0)"};
  EXPECT_EQ(RunSummaryLines(shell.Frame), lines);
  shell.Frame.Cancelled = true;
  EXPECT_EQ(RunSummaryLines(shell.Frame).back(),
            "Avbruten: posterna som skrevs f\xf6re avbrottet finns kvar.");
}

TEST(MessageBoxes, QuestionsWithoutCaptionAreTitledFraga) {
  testing::TFakeMsg msg;
  msg.Answers = {true};
  EXPECT_TRUE(msg.QuestionBox("Forts\xe4tta?"));
  EXPECT_TRUE(msg.LastAnswer);
  msg.ErrorBox("Fel");
  EXPECT_FALSE(msg.LastAnswer);
  ASSERT_EQ(msg.Boxes.size(), 2U);
  EXPECT_EQ(msg.Boxes[0].Caption, "Fr\xe5ga");
  EXPECT_EQ(msg.Boxes[1].Caption, "Felmeddelande");
  EXPECT_EQ(msg.Boxes[1].Kind, TMsgKind::Error);
}

} // namespace
} // namespace kelvo
