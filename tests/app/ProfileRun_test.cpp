// The run of profiles 0 and 1 and the Start command's dispatch and error
// handling. The frame details run with recording converters; the dispatch
// with the real ones.
#include "app/ProfileRun.h"

#include <gtest/gtest.h>

#include "app/FakeKonv.h"
#include "app/SimpleProfileRun.h"
#include "record/MarcError.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::TempDir;
using testing::TFakeShell;
using testing::TRecordingIni;

// What the recording converter saw: its arguments and, at the first record,
// its options. One probe per test.
struct TKonvProbe {
  std::vector<std::string> Arguments;
  std::vector<std::string> FilterLines;
  std::vector<std::string> Options;
  std::vector<std::string>* Events = nullptr; // "freed" is appended when the converter goes
  std::string Input;                          // the character set and "marcxml" when read so
  std::vector<std::string> Notes;             // the notes of the converter's RunMessages
  int Records = 3;
  int FailAt = 0;
};

TKonvProbe* probe = nullptr;

std::string Flag(bool b) { return b ? "1" : "0"; }

class TRecordingKonv : public TKonvBase {
public:
  TRecordingKonv(const std::string& out, const std::string& in, const std::string& terminator,
                 const std::vector<std::string>& filterLines, bool iso, bool perSep,
                 const std::string& perFile, bool weedSep, const std::string& weedFile) {
    probe->Arguments = {out, in, terminator, Flag(iso), Flag(perSep), perFile, Flag(weedSep), weedFile};
    probe->FilterLines = filterLines;
  }
  ~TRecordingKonv() override {
    if (probe->Events) probe->Events->push_back("freed");
  }

  bool ConvertToKv2 = true;
  std::string ConversionLabel;
  std::string WeedingCriteria;
  int Jobs = 1;

  void SetCharset(TCharset charset) { probe->Input = std::string(CharsetNames[int(charset)].Name); }
  void ReadMarcXml() { probe->Input += " marcxml"; }
  std::vector<TRunMessage> RunMessages() const override {
    std::vector<TRunMessage> messages;
    for (const std::string& note : probe->Notes)
      messages.push_back({TRunMessage::TKind::Note, note});
    return messages;
  }

  void ConvertNext() override {
    if (++calls_ == 1) RecordOptions();
    if (calls_ == probe->FailAt) throw MarcError("Fel i post");
    EndOfInput = calls_ >= probe->Records;
  }
  int Percent() const override { return 0; }

protected:
  virtual void RecordOptions() {
    probe->Options = {Flag(ConvertToKv2), Flag(OutRecord.ApplyFilter), Flag(RemoveDuplicateLines),
                      ConversionLabel,    Flag(SubfieldLines),         WeedingCriteria};
  }

private:
  int calls_ = 0;
};

class TRecordingKv21Konv : public TRecordingKonv {
public:
  using TRecordingKonv::TRecordingKonv;
  bool Fld852cUnconditionally = false;
  bool VoyagerIdKeep = false;
  bool KeepOld035Handling = false;

protected:
  void RecordOptions() override {
    TRecordingKonv::RecordOptions();
    probe->Options.push_back(Flag(Fld852cUnconditionally) + Flag(VoyagerIdKeep) + Flag(KeepOld035Handling));
  }
};

class SimpleProfileRun : public ::testing::Test {
protected:
  SimpleProfileRun() {
    probe = &probe_;
    state.ProgramFile = "/opt/kelvo/kelvokonv";
    state.InFile = "/d/in.mrc";
    state.OutFile = "/d/ut.mrc";
    state.PeriodicalsFile = "/d/periodika.mrc";
    state.WeededFile = "/d/utgallrade.mrc";
    state.FilterFile = dir.File("marcfilter.txt");
  }
  ~SimpleProfileRun() override { probe = nullptr; }

  template <class TKonv = TRecordingKonv> TRunOutcome Run(int profile = 0) {
    return RunSimpleProfile<TKonv>(state, *ProfileInfo(profile), shell.Frame);
  }

  TKonvProbe probe_;
  TempDir dir;
  TMainState state;
  TFakeShell shell;
};

TEST_F(SimpleProfileRun, PassesNoSideFilesWhenNoneIsRequested) {
  state.SourceIsIso = false;
  EXPECT_EQ(Run(), TRunOutcome::Completed);
  EXPECT_EQ(probe_.Arguments,
            (std::vector<std::string>{"/d/ut.mrc", "/d/in.mrc", "^", "0", "0", "", "0", ""}));
  EXPECT_TRUE(probe_.FilterLines.empty()); // no filter file: an empty filter
  EXPECT_TRUE(shell.Msg.Boxes.empty());    // and no summary box
}

TEST_F(SimpleProfileRun, PassesBothSideFileNamesWhenEitherIsRequested) {
  state.UtgallradeSeparera = true;
  Run();
  EXPECT_EQ(probe_.Arguments, (std::vector<std::string>{"/d/ut.mrc", "/d/in.mrc", "\x1d", "1", "0",
                                                        "/d/periodika.mrc", "1", "/d/utgallrade.mrc"}));
}

TEST_F(SimpleProfileRun, LoadsTheProfilesFilterFile) {
  dir.Write("marcfilter.txt", "245\r\n650x2 500\r\n");
  Run();
  EXPECT_EQ(probe_.FilterLines, (std::vector<std::string>{"245", "650x2 500"}));
}

TEST_F(SimpleProfileRun, SetsTheOptionsFromTheSwitches) {
  state.ConvertToKv2 = false;
  state.FilterOn = false;
  state.RemoveDuplicateLines = true;
  state.SubfieldLines = false;
  state.WeedingCriteria = "Kass";
  Run();
  EXPECT_EQ(probe_.Options, (std::vector<std::string>{"0", "0", "1", "BatSorM21", "0", "Kass"}));
  Run(1);
  EXPECT_EQ(probe_.Options[3], "BatSorKV21");
}

TEST_F(SimpleProfileRun, Profile1ReadsItsOptionsAtEveryRun) {
  TRecordingIni ini;
  TRunFrame frame(shell.View, shell.Api, shell.Msg, &ini);
  RunSimpleProfile<TRecordingKv21Konv>(state, *ProfileInfo(1), frame);
  EXPECT_EQ(probe_.Options.back(), "000");
  ini.Values["kv2m21spec/fld852cunconditionally"] = "1";
  ini.Values["kv2m21spec/keepold035handling"] = "1";
  RunSimpleProfile<TRecordingKv21Konv>(state, *ProfileInfo(1), frame);
  EXPECT_EQ(probe_.Options.back(), "101");
  state.Kv21Options = {"voyageridkeep"};
  RunSimpleProfile<TRecordingKv21Konv>(state, *ProfileInfo(1), frame);
  EXPECT_EQ(probe_.Options.back(), "111");
}

TEST_F(SimpleProfileRun, PassesTheCharacterSetAndKeepsItsNotesForTheSummaryNotTheBox) {
  state.Charset = "marc-8";
  state.SourceIsMarcXml = true;
  probe_.Notes = {"Omkodade poster: 1 (UTF-8 0, MARC-8 1)"};
  Run();
  EXPECT_EQ(probe_.Input, "marc-8 marcxml");
  EXPECT_EQ(shell.Frame.Notes, probe_.Notes);
  EXPECT_TRUE(shell.Msg.Boxes.empty());

  state.PeriodicalsSep = true;
  Run();
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_EQ(shell.Msg.Boxes[0].Text, "Periodikaposter har separerats till fil:\r\n/d/periodika.mrc");

  state.Charset = "latin-1"; // refused before any file is created
  probe_.Input.clear();
  EXPECT_THROW(Run(), MarcError);
  EXPECT_TRUE(probe_.Input.empty());
}

TEST_F(SimpleProfileRun, ShowsTheCountFreesTheConverterThenGoesIdle) {
  probe_.Events = &shell.View.Calls;
  probe_.Records = 2;
  Run();
  EXPECT_EQ(shell.View.Calls, (std::vector<std::string>{"gauge 0", "running 1", "gauge 0", "gauge 0",
                                                        "status Antal konverterade poster: 2", "freed",
                                                        "gauge 0", "running 0"}));
}

TEST_F(SimpleProfileRun, AnErrorInARecordReleasesTheConverterAndGoesIdle) {
  probe_.Events = &shell.View.Calls;
  probe_.FailAt = 2;
  state.PeriodicalsSep = true;
  EXPECT_THROW(Run(), MarcError);
  EXPECT_EQ(shell.View.Calls.back(), "running 0");
  EXPECT_EQ(shell.View.Calls[shell.View.Calls.size() - 3], "freed");
  EXPECT_FALSE(shell.Frame.Running());
  EXPECT_TRUE(shell.Msg.Boxes.empty()); // no summary of a failed run
}

TEST_F(SimpleProfileRun, ACancelledRunStillShowsTheSummary) {
  probe_.Records = 50;
  state.PeriodicalsSep = true;
  shell.Api.OnProcess = [&](int call) {
    if (call == 5) shell.Frame.Cancelled = true;
  };
  EXPECT_EQ(Run(), TRunOutcome::Cancelled);
  EXPECT_EQ(shell.View.Status.back(), "Antal konverterade poster: 5");
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Information);
  EXPECT_EQ(shell.Msg.Boxes[0].Caption, "kelvokonv");
}

struct TSummaryCase {
  bool PerSep, PerShow, WeedSep, WeedShow;
  bool Box;
  const char* Text;
};

class SummaryBox : public SimpleProfileRun, public ::testing::WithParamInterface<TSummaryCase> {};

TEST_P(SummaryBox, NamesTheSideFilesThatAreShown) {
  const TSummaryCase& c = GetParam();
  state.PeriodicalsSep = c.PerSep;
  state.PeriodicaFileShow = c.PerShow;
  state.UtgallradeSeparera = c.WeedSep;
  state.UtgallradeFileShow = c.WeedShow;
  Run();
  ASSERT_EQ(shell.Msg.Boxes.size(), c.Box ? 1U : 0U);
  if (c.Box) {
    EXPECT_EQ(shell.Msg.Boxes[0].Text, c.Text);
    EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Information);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Switches, SummaryBox,
    ::testing::Values(TSummaryCase{false, true, false, true, false, ""},
                      TSummaryCase{true, true, false, true, true,
                                   "Periodikaposter har separerats till fil:\r\n/d/periodika.mrc"},
                      TSummaryCase{false, true, true, true, true,
                                   "Utgallrade poster har separerats till fil:\r\n/d/utgallrade.mrc"},
                      TSummaryCase{true, true, true, true, true,
                                   "Periodikaposter har separerats till fil:\r\n/d/periodika.mrc\r\n\r\n"
                                   "Utgallrade poster har separerats till fil:\r\n/d/utgallrade.mrc"},
                      TSummaryCase{true, false, true, true, true,
                                   "Utgallrade poster har separerats till fil:\r\n/d/utgallrade.mrc"},
                      TSummaryCase{true, false, true, false, true, ""}, // the empty box is shown too
                      TSummaryCase{false, true, true, false, true, ""}));

// The Start command with the real converters.
class StartCommand : public ::testing::Test {
protected:
  StartCommand() {
    state.ProgramFile = dir.File("kelvokonv");
    state.SourceIsIso = false;
    state.InFile = dir.Write("in.mrc", "*245  $aTitel\r\n^\r\n");
    state.OutFile = dir.File("ut.mrc");
    state.PeriodicalsFile = dir.File("periodika.mrc");
    state.WeededFile = dir.File("utgallrade.mrc");
  }
  TempDir dir;
  TMainState state;
  TFakeShell shell;
};

TEST_F(StartCommand, AnUnknownProfileIsRefused) {
  state.Profile = 5;
  EXPECT_EQ(RunProfile(state, shell.Frame), TRunOutcome::NotStarted);
  EXPECT_TRUE(shell.View.Calls.empty());
  ASSERT_EQ(shell.Msg.Boxes.size(), 1u);
  EXPECT_NE(shell.Msg.Boxes[0].Text.find("profil 5 finns inte"), std::string::npos);
  EXPECT_FALSE(FileExists(state.OutFile));
}

TEST_F(StartCommand, RunsProfile0ToTheOutputFile) {
  EXPECT_EQ(RunProfile(state, shell.Frame), TRunOutcome::Completed);
  EXPECT_TRUE(shell.Msg.Boxes.empty());
  EXPECT_EQ(shell.View.Status.back(),
            "Antal konverterade poster: " + std::to_string(shell.Frame.RecordCount));
  EXPECT_FALSE(shell.Frame.Counts.empty());
}

TEST_F(StartCommand, ASideFileThatCannotBeCreatedStopsBeforeTheRun) {
  state.PeriodicalsSep = true;
  state.PeriodicalsFile = dir.File("saknas/periodika.mrc");
  shell.Frame.RecordCount = 9; // what an earlier run left
  shell.Frame.Counts = {{"Utfil", "x", 9}};
  EXPECT_EQ(RunProfile(state, shell.Frame), TRunOutcome::Failed);
  EXPECT_TRUE(shell.View.Calls.empty()); // the window is unchanged
  EXPECT_EQ(shell.Frame.RecordCount, 0);
  EXPECT_TRUE(shell.Frame.Counts.empty());
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Error);
  EXPECT_NE(shell.Msg.Boxes[0].Text.find("periodika.mrc"), std::string::npos);
}

TEST_F(StartCommand, AFailedWriteEndsTheRunAndReportsIt) {
  if (!FileExists("/dev/full")) GTEST_SKIP() << "/dev/full saknas";
  state.OutFile = "/dev/full";
  state.Profile = 1; // writes every record that has a 245
  EXPECT_EQ(RunProfile(state, shell.Frame), TRunOutcome::Failed);
  EXPECT_EQ(shell.View.Running, (std::vector<bool>{true, false}));
  EXPECT_FALSE(shell.Frame.Running());
  ASSERT_EQ(shell.Msg.Boxes.size(), 1U);
  EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Error);
  EXPECT_NE(shell.Msg.Boxes[0].Text.find("/dev/full"), std::string::npos);
}

TEST_F(StartCommand, InputWithoutRecordsOfItsFormatIsAWarningAndAFailureInEveryProfile) {
  state.SourceIsIso = true; // the input is line format
  for (int profile : {0, 1, 2}) {
    state.Profile = profile;
    shell.Msg.Boxes.clear();
    EXPECT_EQ(RunProfile(state, shell.Frame), TRunOutcome::Failed) << profile;
    ASSERT_EQ(shell.Msg.Boxes.size(), 1U) << profile;
    EXPECT_EQ(shell.Msg.Boxes[0].Kind, TMsgKind::Warning);
    EXPECT_NE(
        shell.Msg.Boxes[0].Text.find("inneh\xe5ller inga poster i Iso2709-format. \xc4r den i radformat?"),
        std::string::npos)
        << shell.Msg.Boxes[0].Text;
  }
}

TEST_F(StartCommand, RunsProfile2WithItsMultiVolumeFile) {
  state.Profile = 2;
  EXPECT_EQ(RunProfile(state, shell.Frame), TRunOutcome::Completed);
  EXPECT_TRUE(shell.Msg.Boxes.empty());
  EXPECT_TRUE(FileExists(state.OutFile));
  EXPECT_TRUE(FileExists(dir.File("flerband.txt")));
}

} // namespace
} // namespace kelvo
