#include "app/DalkProfileRun.h"

#include <gtest/gtest.h>

#include <string>

#include "app/MainState.h"
#include "app/ProfileRegistry.h"
#include "app/ProfileRun.h"
#include "profiles/dalk_kv21/dalk_records.h"
#include "record/MarcError.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::DalkHead;
using testing::DalkPart;
using testing::DalkPlain;
using testing::ReadAll;
using testing::Titles;
using Strings = std::vector<std::string>;

const char* const AdaptationXml =
    "<root><oegentligaflerbandsverk><objekttyper><t>KA</t></objekttyper></oegentligaflerbandsverk></root>";

// The vendor profile run with the data folder and the files in one temporary folder.
class DalkRun : public ::testing::Test {
protected:
  DalkRun() {
    state.Profile = 2;
    state.SourceIsIso = false;
    state.DataFolder = dir.File("");
    state.FilterFile = dir.File("marcfilterdalkii.txt");
    state.InFile =
        dir.Write("in.mrc", DalkHead("1000001", "Oegentlig") + DalkPart("1000002", "Del", "1000001") +
                                DalkHead("2000001", "Egentlig", "XX") +
                                DalkPart("2000002", "Band", "2000001") + DalkPlain("3000001", "Vanlig"));
    state.OutFile = dir.File("ut.mrc");
  }
  std::string Out() const { return ReadAll(state.OutFile); }
  std::string Flerband() const { return ReadAll(dir.File("flerband.txt")); }

  testing::TempDir dir;
  TMainState state;
  testing::TFakeShell shell;
};

TEST_F(DalkRun, OnePassUsesTheAdaptationAndSeparatesProperWorks) {
  dir.Write("LokalAnpassTrux.xml", AdaptationXml);
  RunDalkProfile(state, *ProfileInfo(2), shell.Frame);
  EXPECT_EQ(Titles(Out()), (Strings{"Oegentlig", "Vanlig"}));
  EXPECT_EQ(Titles(Flerband()), (Strings{"Egentlig", "Band"}));
  EXPECT_FALSE(shell.Frame.Running());
  EXPECT_EQ(shell.View.Running, (std::vector<bool>{true, false}));
  EXPECT_TRUE(shell.View.Status.empty()); // fewer than 200 records, and no final count
}

TEST_F(DalkRun, TheAdaptationReachesTheConverterWithSideFilesToo) {
  dir.Write("LokalAnpassTrux.xml", AdaptationXml);
  state.PeriodicalsSep = true;
  state.PeriodicalsFile = dir.File("periodika.mrc");
  RunDalkConvert(shell.Frame, state, *ProfileInfo(2));
  EXPECT_EQ(Titles(Out()), (Strings{"Oegentlig", "Vanlig"}));
}

TEST_F(DalkRun, TheMultiVolumeFileIsEmptiedEvenWhenNotUsed) {
  dir.Write("flerband.txt", "gammalt");
  state.DalkEgentligaFlerbandSepareras = false;
  RunDalkConvert(shell.Frame, state, *ProfileInfo(2));
  EXPECT_TRUE(std::filesystem::exists(dir.File("flerband.txt")));
  EXPECT_EQ(Flerband(), "");
  // without an adaptation every head is proper, and with it kept in the output
  EXPECT_EQ(Titles(Out()), (Strings{"Oegentlig", "Del", "Egentlig", "Band", "Vanlig"}));
}

TEST_F(DalkRun, TwoPassesWriteOnlyImproperHeads) {
  dir.Write("LokalAnpassTrux.xml", AdaptationXml);
  state.DalkOegentligaDelarSpecial = true;
  RunDalkProfile(state, *ProfileInfo(2), shell.Frame);
  EXPECT_EQ(Titles(Out()), Strings{"Oegentlig"});
  EXPECT_NE(Out().find("*02961$a1000002\r\n"), std::string::npos) << Out();
  EXPECT_EQ(Flerband(), "");
  EXPECT_EQ(shell.View.Status, (Strings{CollectStatusText, ""}));
  EXPECT_FALSE(shell.Frame.Running());
}

TEST_F(DalkRun, TwoPassesWithoutImproperHeadsWriteNothing) {
  state.DalkOegentligaDelarSpecial = true;
  RunDalkProfile(state, *ProfileInfo(2), shell.Frame);
  EXPECT_EQ(Out(), "");
}

TEST_F(DalkRun, ABrokenAdaptationEndsTheRunBeforeAnyRecord) {
  const std::string xml = dir.Write("LokalAnpassTrux.xml", "<root><objekttyper></root>");
  for (const bool twoPasses : {false, true}) {
    state.DalkOegentligaDelarSpecial = twoPasses;
    try {
      RunDalkProfile(state, *ProfileInfo(2), shell.Frame);
      FAIL() << "no error";
    } catch (const MarcError& e) {
      EXPECT_NE(std::string(e.what()).find(xml), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(state.OutFile));
    EXPECT_FALSE(shell.Frame.Running());
  }
  // the two-pass run finds out after reading the input once
  EXPECT_EQ(shell.View.Status, Strings{CollectStatusText});
}

TEST_F(DalkRun, CancelDuringTheCollectPassWritesNothing) {
  state.DalkOegentligaDelarSpecial = true;
  shell.Api.OnProcess = [this](int) { shell.Frame.Cancelled = true; };
  RunDalkProfile(state, *ProfileInfo(2), shell.Frame);
  EXPECT_FALSE(std::filesystem::exists(state.OutFile));
  EXPECT_EQ(shell.View.Running, (std::vector<bool>{true, false}));
}

TEST_F(DalkRun, TheMultiVolumeFileMustNotBeTheInput) {
  state.InFile = dir.Write("flerband.txt", ReadAll(state.InFile));
  EXPECT_THROW(RunDalkConvert(shell.Frame, state, *ProfileInfo(2)), MarcError);
  EXPECT_EQ(Titles(ReadAll(state.InFile)).size(), 5u);
}

} // namespace
} // namespace kelvo
