// The batch help page: its text and how it is written and opened.
#include "app/BatchHelp.h"

#include <gtest/gtest.h>

#include "record/vostr.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TempDir;

// The page as a reader sees it, written independently of the code page 1252
// literals of the program.
const std::string ExpectedPage = Utf8ToCp1252(
    "<html><head><title>Batchkommandon för konverteringsprogram Sorvia till Kelvo</title></head><body>"
    "<b>Kommandonyckelord:</b><ul><li><b>/bat</b> Kör i batchläge (konv startar omedelbart och programmet "
    "avslutas efter körning)</li><li><b>/in=</b> Markerar att infil följer</li><li><b>/ut=</b> Markerar att "
    "utfil följer</li></ul><p>Exempel på kommandorad. (Förutsättningar: Infilen har namnet frnSorvia.m21 och "
    "utfilen har namnet tillKelvo.mrc. Båda filerna finns i samma mapp som konverteringsprogrammet och vi "
    "önskar batchkörning)<p><b>Kommandoradsexempel:</b><br>"
    "C:\\Kelvo\\Konv.exe <b>/bat</b><b>/in=</b>C:\\Kelvo\\frnSorvia.m21<b>/ut=</b>C:\\Kelvo\\tillKelvo.mrc"
    "<p><b>OBS!</b> Kommandonyckelorden <b>måste</b> skrivas med gemener"
    "<br><b>OBS!</b>Undvik mellanslag i kommandoraden. Mellanslag får förekomma men då måste hela "
    "kommandoraden omges av citattecken.</body></html>");

TEST(BatchHelp, TextIsThePageWithTheExampleCommandLine) {
  EXPECT_EQ(BatchHelpText("C:\\Kelvo\\Konv.exe", "C:\\Kelvo\\"), ExpectedPage);
}

TEST(BatchHelp, WritesBathelpInTheProgramFolderAndOpensIt) {
  TempDir dir;
  dir.Write("bathelp.htm", "gammalt och l\xe5ngt inneh\xe5ll som skrivs \xf6ver helt och h\xe5llet");
  TMainState state;
  state.ProgramFile = dir.File("kelvokonv");
  state.ProgramFolder = dir.File("");
  testing::TFakeWinApi api;
  testing::TFakeMsg msg;
  ASSERT_TRUE(ShowBatchHelp(state, api, msg));
  EXPECT_EQ(ReadAll(dir.File("bathelp.htm")), BatchHelpText(state.ProgramFile, state.ProgramFolder));
  ASSERT_EQ(api.Opened.size(), 1U);
  EXPECT_EQ(api.Opened[0].first, dir.File("bathelp.htm"));
  EXPECT_EQ(api.Opened[0].second, "open");
  EXPECT_TRUE(msg.Boxes.empty());
}

TEST(BatchHelp, APageThatCannotBeWrittenIsReported) {
  TempDir dir;
  TMainState state;
  state.ProgramFolder = dir.File("saknas/");
  testing::TFakeWinApi api;
  testing::TFakeMsg msg;
  EXPECT_FALSE(ShowBatchHelp(state, api, msg));
  EXPECT_TRUE(api.Opened.empty());
  ASSERT_EQ(msg.Boxes.size(), 1U);
  EXPECT_NE(msg.Boxes[0].Text.find("bathelp.htm"), std::string::npos);
}

} // namespace
} // namespace kelvo
