// The preview: the first records converted as a run converts them, each with
// its source and where it goes, and not one file written.
#include "app/PreviewModel.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/ProfileRun.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;
using testing::TempDir;

const std::string Samples = std::string(KELVO_SOURCE_DIR) + "/data/samples/";

std::vector<std::string> FilesIn(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir.File("")))
    names.push_back(entry.path().filename().string());
  return names;
}

// The preview's records of a destination, one after the other as a run writes them.
std::string WrittenTo(const TPreviewModel& preview, TDestination destination) {
  std::string written;
  for (const TPreviewRecord& record : preview.Records)
    if (record.Route.Destination == destination) written += record.Converted + "\r\n^\r\n";
  return written;
}

// A line-format input of profile 0 with the side files asked for, in a folder of its own.
struct TPreviewSetup {
  TPreviewSetup(const std::string& input, int profile = 0) {
    state.Profile = profile;
    state.SourceIsIso = false;
    state.DataFolder = Samples;
    state.InFile = dir.Write("in.mrc", input);
    state.OutFile = dir.File("ut.mrc");
    state.PeriodicalsSep = state.UtgallradeSeparera = true;
    state.PeriodicalsFile = dir.File("periodika.mrc");
    state.WeededFile = dir.File("utgallrade.mrc");
  }
  TempDir dir;
  TMainState state;
};

TEST(PreviewModel, ShowsEachRecordAsTheRunWritesItAndWritesNothing) {
  const std::string sample = ReadAll(Samples + "sorvia-marc21.mrc");
  TPreviewSetup setup(sample + "*001 N1\r\n*500  $aUtan titel\r\n^\r\n");
  TPreviewModel preview;
  ASSERT_TRUE(preview.Load(setup.state, nullptr)) << preview.Error;
  EXPECT_EQ(FilesIn(setup.dir), std::vector<std::string>{"in.mrc"});
  EXPECT_TRUE(preview.Note.empty());

  // What the run writes to each file is the preview's records of that destination, in order.
  testing::TFakeShell shell;
  ASSERT_EQ(RunProfile(setup.state, shell.Frame), TRunOutcome::Completed);
  const std::pair<TDestination, std::string> files[] = {
      {TDestination::Output, setup.state.OutFile},
      {TDestination::Periodicals, setup.state.PeriodicalsFile},
      {TDestination::Weeded, setup.state.WeededFile}};
  for (const auto& [destination, file] : files) {
    EXPECT_FALSE(WrittenTo(preview, destination).empty()) << file;
    EXPECT_EQ(WrittenTo(preview, destination), ReadAll(file));
  }

  ASSERT_EQ(preview.Records.size(), 6U);
  EXPECT_EQ(preview.PositionText(), "Post 1 av 6");
  EXPECT_EQ(preview.DestinationText(), "Skrivs till: Utfil");
  EXPECT_EQ(preview.Records[0].Source.substr(0, 4), "*000");
  EXPECT_FALSE(preview.HasPrevious());
  for (int i = 0; i < 5; ++i)
    preview.Next();
  preview.Next(); // stays on the last
  EXPECT_FALSE(preview.HasNext());
  EXPECT_EQ(preview.PositionText(), "Post 6 av 6");
  EXPECT_EQ(preview.Records[5].Number, 6);
  EXPECT_EQ(preview.Records[5].Source, "*001 N1\r\n*500  $aUtan titel\r\n");
  EXPECT_EQ(preview.Records[5].Converted, "");
  EXPECT_EQ(preview.DestinationText(), "Skrivs inte: Saknar titel (245/295)");
}

TEST(PreviewModel, TakesTheFirstTwentyRecordsAndTellsWhatItCannotRead) {
  std::string input;
  for (int i = 1; i <= 25; ++i)
    input += "*001 " + std::to_string(i) + "\r\n*24510$aTitel\r\n^\r\n";
  TPreviewSetup setup(input, 1);
  TPreviewModel preview;
  ASSERT_TRUE(preview.Load(setup.state, nullptr)) << preview.Error;
  ASSERT_EQ(preview.Records.size(), TPreviewModel::MaxRecords);
  EXPECT_EQ(preview.Records.back().Number, 20);

  setup.state.InFile = setup.dir.File("saknas.mrc");
  EXPECT_FALSE(preview.Load(setup.state, nullptr));
  EXPECT_EQ(preview.Error, "Kan inte \xf6ppna indatafilen " + setup.state.InFile);
  EXPECT_TRUE(preview.Records.empty());
  EXPECT_EQ(preview.PositionText(), "");
  EXPECT_EQ(FilesIn(setup.dir), std::vector<std::string>{"in.mrc"});
}

TEST(PreviewModel, Profile2ShowsTheMultiVolumeRecordsAsTheyAreWritten) {
  TPreviewSetup setup(ReadAll(Samples + "dalkii-poster.mrc"), 2);
  TPreviewModel preview;
  ASSERT_TRUE(preview.Load(setup.state, nullptr)) << preview.Error;
  testing::TFakeShell shell;
  ASSERT_EQ(RunProfile(setup.state, shell.Frame), TRunOutcome::Completed);
  const std::string multiVolume = setup.dir.File("flerband.txt");
  for (const auto& [destination, file] : {std::pair{TDestination::Output, setup.state.OutFile},
                                          std::pair{TDestination::MultiVolume, multiVolume}}) {
    EXPECT_FALSE(WrittenTo(preview, destination).empty()) << file;
    EXPECT_EQ(WrittenTo(preview, destination), ReadAll(file)) << file;
  }
}

TEST(PreviewModel, Profile2PreviewsOnePassAndSaysSo) {
  TPreviewSetup setup(ReadAll(Samples + "dalkii-poster.mrc"), 2);
  setup.state.DalkOegentligaDelarSpecial = true;
  TPreviewModel preview;
  ASSERT_TRUE(preview.Load(setup.state, nullptr)) << preview.Error;
  EXPECT_NE(preview.Note.find("ett pass"), std::string::npos);
  EXPECT_FALSE(preview.Records.empty());
  EXPECT_EQ(FilesIn(setup.dir), std::vector<std::string>{"in.mrc"}); // no flerband.txt either
}

} // namespace
} // namespace kelvo
