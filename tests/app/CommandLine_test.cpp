// The keywords of the batch command line.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

struct TCommandCase {
  const char* Argument;
  bool Batch;
  const char* InFile;
  const char* OutFile;
  bool Iso;
};

class CommandLineParse : public ::testing::TestWithParam<TCommandCase> {};

TEST_P(CommandLineParse, SetsBatchFilesAndIso) {
  const TCommandCase& c = GetParam();
  TMainState state;
  ParseCommandLine(c.Argument, state);
  EXPECT_EQ(state.Batch, c.Batch);
  EXPECT_EQ(state.InFile, c.InFile);
  EXPECT_EQ(state.OutFile, c.OutFile);
  EXPECT_EQ(state.SourceIsIso, c.Iso);
}

constexpr const char* None = "*ej angiven*";

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParse,
    ::testing::Values(
        TCommandCase{"", false, None, None, true},
        TCommandCase{"/bat/in=C:\\data\\a.m21/ut=C:\\data\\b.mrc", true, "C:\\data\\a.m21", "C:\\data\\b.mrc",
                     true},
        TCommandCase{"/BAT/in=a.m21", false, "a.m21", None, true}, // keywords are case-sensitive
        TCommandCase{"/Bat/IN=a.m21", false, None, None, true},
        TCommandCase{"/bat /in=a.m21", false, "a.m21", None, true}, // "bat " is not "bat"
        TCommandCase{"/batch", false, None, None, true},            // "bat" only as the whole token
        TCommandCase{"bat", true, None, None, true},                // the text before the first "/" counts
        TCommandCase{"/in=mapp med blank/a.m21", false, "mapp med blank", None, true},
        TCommandCase{"/iso=1/bat", true, None, None, true},
        TCommandCase{"/iso=0/bat", true, None, None, false},
        TCommandCase{"/iso=yes", false, None, None, false},
        TCommandCase{"/iso=1 ", false, None, None, false},              // not exactly "iso=1"
        TCommandCase{"/ok\xe4nd/ut=b.mrc", false, None, "b.mrc", true}, // unknown tokens are ignored
        TCommandCase{"/in=a.m21/in=b.m21", false, "b.m21", None, true}));

TEST(CommandLineParse, StopsWhenTheRestIsBlank) {
  TMainState state;
  ParseCommandLine("/in=a.m21/ \t\r\n", state);
  EXPECT_EQ(state.InFile, "a.m21");
  // A blank token in the middle is only a token; what follows is still read.
  ParseCommandLine("/ /bat", state);
  EXPECT_TRUE(state.Batch);
}

TEST(CommandLineParse, VendorSwitches) {
  TMainState state;
  ParseCommandLine("/oeg=1/egs=0", state);
  EXPECT_TRUE(state.DalkOegentligaDelarSpecial);
  EXPECT_FALSE(state.DalkEgentligaFlerbandSepareras);
  ParseCommandLine("/oeg=ja/egs=1", state);
  EXPECT_FALSE(state.DalkOegentligaDelarSpecial);
  EXPECT_TRUE(state.DalkEgentligaFlerbandSepareras);
}

TEST(CommandLineBatchForm, IsAKeywordAfterTheFirstSlashAndNoFile) {
  for (const char* arg :
       {"/bat", "/bat/in=a.m21/ut=b.mrc", "/bat /in=a.m21", "/ut=b", "/iso=1", "/oeg=1", "/egs=0"})
    EXPECT_TRUE(IsBatchArgument(arg)) << arg;
  for (const char* arg : {"a.m21", "bat", "x/in=a", "in=a.m21", "/tmp/a.m21", "--in=a", "/BAT",
                          "/srv/bat/leverans.mrc", "/data/batches/ny.mrc", "/batch/a.mrc"})
    EXPECT_FALSE(IsBatchArgument(arg)) << arg;
}

} // namespace
} // namespace kelvo
