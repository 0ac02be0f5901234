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
    "<html><head><meta charset=\"utf-8\"><title>Batchkommandon för konverteringsprogram Sorvia till Kelvo"
    "</title></head><body>"
    "<b>Kommandonyckelord:</b><ul><li><b>/bat</b> Kör i batchläge (konv startar omedelbart och programmet "
    "avslutas efter körning)</li><li><b>/in=</b> Markerar att infil följer</li><li><b>/ut=</b> Markerar att "
    "utfil följer</li></ul><p>Exempel på kommandorad. (Förutsättningar: Infilen har namnet frnSorvia.m21 och "
    "utfilen har namnet tillKelvo.mrc. Båda filerna finns i den mapp som kommandot körs i och vi "
    "önskar batchkörning)<p><b>Kommandoradsexempel:</b><br>"
    "/opt/kelvo/bin/kelvokonv-gui <b>/bat</b><b>/in=</b>frnSorvia.m21<b>/ut=</b>tillKelvo.mrc"
    "<p><b>OBS!</b> Kommandonyckelorden <b>måste</b> skrivas med gemener"
    "<br><b>OBS!</b> Filnamnen kan inte innehålla /, eftersom / skiljer nyckelorden åt: ange dem i "
    "förhållande till den aktuella mappen."
    "<br><b>OBS!</b>Undvik mellanslag i kommandoraden. Mellanslag får förekomma men då måste hela "
    "kommandoraden omges av citattecken.</body></html>");

TEST(BatchHelp, TextIsThePageWithTheExampleCommandLine) {
  EXPECT_EQ(BatchHelpText("/opt/kelvo/bin/kelvokonv-gui"), ExpectedPage);
}

TEST(BatchHelp, WritesAUtf8PageInTheOwnFolderAndOpensIt) {
  TempDir dir;
  dir.Write("bathelp.htm", "gammalt och l\xe5ngt inneh\xe5ll som skrivs \xf6ver helt och h\xe5llet");
  TMainState state;
  state.ProgramFile = "/opt/Bibliotek & M\xc3\xa5l/kelvokonv-gui"; // a file name: UTF-8 bytes
  state.OwnFolder = dir.File("");
  testing::TFakeWinApi api;
  testing::TFakeMsg msg;
  ASSERT_TRUE(ShowBatchHelp(state, api, msg));
  const std::string page = ReadAll(dir.File("bathelp.htm"));
  EXPECT_TRUE(IsValidUtf8(page));
  EXPECT_NE(page.find("K\xc3\xb6r i batchl\xc3\xa4ge"), std::string::npos);
  EXPECT_NE(page.find("/opt/Bibliotek &amp; M\xc3\xa5l/kelvokonv-gui <b>/bat</b>"), std::string::npos);
  ASSERT_EQ(api.Opened.size(), 1U);
  EXPECT_EQ(api.Opened[0].first, dir.File("bathelp.htm"));
  EXPECT_EQ(api.Opened[0].second, "open");
  EXPECT_TRUE(msg.Boxes.empty());
}

TEST(BatchHelp, APageThatCannotBeWrittenIsReported) {
  TempDir dir;
  TMainState state;
  state.OwnFolder = dir.File("saknas/");
  testing::TFakeWinApi api;
  testing::TFakeMsg msg;
  EXPECT_FALSE(ShowBatchHelp(state, api, msg));
  EXPECT_TRUE(api.Opened.empty());
  ASSERT_EQ(msg.Boxes.size(), 1U);
  EXPECT_NE(msg.Boxes[0].Text.find("bathelp.htm"), std::string::npos);
}

} // namespace
} // namespace kelvo
