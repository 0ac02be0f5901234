// kelvokonv run as a separate program: exit statuses, messages, and output
// files byte for byte against the same run made through the library.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ProfileRun.h"
#include "app/StartUp.h"
#include "record/vostr.h"
#include "support/Fakes.h"
#include "support/IsoRecord.h"
#include "support/Kelvokonv.h"
#include "support/SharedData.h"
#include "support/SourceDate.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;

const std::string Records = "*001 1\r\n*245 10$aF\xf6rsta titeln$cN.N.\r\n*650  $aA$xB\r\n^\r\n"
                            "*001 2\r\n*245 00$aAndra titeln\r\n*500  $aNot\r\n*500  $aNot\r\n^\r\n";

using testing::TKelvokonvResult;
using testing::TProgramDir;

TKelvokonvResult RunKelvokonv(const TProgramDir& dir, const std::vector<std::string>& args) {
  return dir.Run({.Args = args});
}

// The same conversion through the library, with the state the options stand for.
std::string LibraryRun(const TProgramDir& dir, TMainState state, const std::string& outName) {
  state.OutFile = dir.File(outName);
  testing::TFakeShell shell;
  EXPECT_EQ(RunProfile(state, shell.Frame), TRunOutcome::Completed);
  return ReadAll(state.OutFile);
}

class Kelvokonv : public ::testing::Test {
protected:
  Kelvokonv() {
    in = dir.Write("in.mrc", Records);
    ini = dir.Write("kelvokonv.ini", "");
    SetProgramPaths(state, dir.Program());
    state.InFile = in;
    state.SourceIsIso = false;
    state.FilterFile = ProfileFilterFile(state);
  }
  testing::ScopedSourceDate date{"0"}; // the date stamp of both runs is 1970-01-01
  TProgramDir dir;
  std::string in, ini;
  TMainState state;
};

struct TOptionCase {
  const char* Name;
  std::vector<std::string> Args;
  void (*Set)(TMainState&);
};

class KelvokonvOptions : public Kelvokonv, public ::testing::WithParamInterface<TOptionCase> {};

TEST_P(KelvokonvOptions, WriteWhatTheLibraryWritesWithTheSameSwitches) {
  std::vector<std::string> args{"--ini", ini, "-i", in, "-o", dir.File("cli.mrc")};
  args.insert(args.end(), GetParam().Args.begin(), GetParam().Args.end());
  const TKelvokonvResult r = RunKelvokonv(dir, args);
  ASSERT_EQ(r.Status, 0) << r.Err;
  GetParam().Set(state);
  const std::string expected = LibraryRun(dir, state, "lib.mrc");
  if (state.Profile == 1) {
    EXPECT_FALSE(expected.empty()) << "profile 1 writes every record with a 245";
  }
  EXPECT_EQ(ReadAll(dir.File("cli.mrc")), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KelvokonvOptions,
    ::testing::Values(TOptionCase{"Defaults", {"-p", "1"}, [](TMainState& s) { s.Profile = 1; }},
                      TOptionCase{"NoSubfieldLines",
                                  {"-p", "1", "--no-subfield-lines"},
                                  [](TMainState& s) { s.Profile = 1, s.SubfieldLines = false; }},
                      TOptionCase{"KeepDuplicates",
                                  {"-p", "1", "--keep-duplicate-lines"},
                                  [](TMainState& s) { s.Profile = 1, s.RemoveDuplicateLines = false; }},
                      TOptionCase{"NoConvert",
                                  {"-p", "1", "--no-convert"},
                                  [](TMainState& s) { s.Profile = 1, s.ConvertToKv2 = false; }},
                      TOptionCase{
                          "Profile0", {"-p", "0", "--format", "line"}, [](TMainState& s) { s.Profile = 0; }},
                      TOptionCase{"Charset",
                                  {"-p", "1", "--charset", "marc-8"},
                                  [](TMainState& s) { s.Profile = 1, s.Charset = "marc-8"; }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Kelvokonv, FilterFileAndFilterSwitch) {
  const std::string filter = dir.Write("egetfilter.txt", "650\r\n500\r\n");
  const TKelvokonvResult on =
      RunKelvokonv(dir, {"--ini", ini, "-p", "1", "--filter-file", filter, in, dir.File("on.mrc")});
  const TKelvokonvResult off = RunKelvokonv(
      dir, {"--ini", ini, "-p", "1", "--filter-file", filter, "--no-filter", in, dir.File("off.mrc")});
  ASSERT_EQ(on.Status, 0) << on.Err;
  ASSERT_EQ(off.Status, 0) << off.Err;
  EXPECT_EQ(ReadAll(dir.File("on.mrc")).find("*650"), std::string::npos);
  EXPECT_NE(ReadAll(dir.File("off.mrc")).find("*650"), std::string::npos);
  state.Profile = 1;
  state.FilterFile = filter;
  EXPECT_EQ(ReadAll(dir.File("on.mrc")), LibraryRun(dir, state, "lib.mrc"));
}

TEST_F(Kelvokonv, SettingsFileGivesTheDefaults) {
  dir.Write("kelvokonv.ini", "[diverse]\r\nprofil=1\r\ndfradbryt=0\r\n[filer]\r\ninfil=" + in + "\r\n");
  const TKelvokonvResult r =
      RunKelvokonv(dir, {"-o", dir.File("cli.mrc")}); // the settings file beside the program
  ASSERT_EQ(r.Status, 0) << r.Err;
  state.Profile = 1;
  state.SubfieldLines = false;
  state.FilterFile = ProfileFilterFile(state);
  EXPECT_EQ(ReadAll(dir.File("cli.mrc")), LibraryRun(dir, state, "lib.mrc"));
  EXPECT_EQ(ReadAll(dir.File("kelvokonv.ini")).find("marcfilteron"), std::string::npos); // never written
}

TEST_F(Kelvokonv, SummaryCountsEveryDestination) {
  const TKelvokonvResult r =
      RunKelvokonv(dir, {"--ini", ini, "-p", "1", in, dir.File("ut.mrc"), "--weeded", dir.File("g.mrc")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("Antal konverterade poster: "), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("(" + dir.File("ut.mrc") + ")"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("(" + dir.File("g.mrc") + ")"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("Utgallrade poster har separerats till fil:\n" + dir.File("g.mrc")),
            std::string::npos);
  EXPECT_TRUE(r.Out.empty());
  const TKelvokonvResult quiet = RunKelvokonv(dir, {"--ini", ini, "-q", "-p", "1", in, dir.File("ut.mrc")});
  EXPECT_EQ(quiet.Status, 0);
  EXPECT_TRUE(quiet.Err.empty()) << quiet.Err;
}

TEST_F(Kelvokonv, BatchFormRunsWithTheProgramsSettingsAndFolder) {
  dir.Write("kelvokonv.ini", "[diverse]\r\nprofil=1\r\n");
  const TKelvokonvResult r = RunKelvokonv(dir, {"/bat/in=in.mrc/ut=ut.mrc/iso=0"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  state.Profile = 1;
  state.FilterFile = ProfileFilterFile(state);
  EXPECT_EQ(ReadAll(dir.File("ut.mrc")), LibraryRun(dir, state, "lib.mrc"));
}

TEST_F(Kelvokonv, BatchFormWithAMissingInputFails) {
  const TKelvokonvResult r = RunKelvokonv(dir, {"/bat/in=saknas.m21/ut=ut.mrc"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("Kan ej k\xc3\xb6ra batch, kontrollera filangivelserna"), std::string::npos) << r.Err;
  EXPECT_FALSE(fs::exists(dir.File("ut.mrc")));
}

TEST_F(Kelvokonv, SurveyListsTagsAndCodes) {
  const TKelvokonvResult r = RunKelvokonv(dir, {"--ini", ini, "--survey", in});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "001\n245ac\n500a\n650ax\n");
}

TEST_F(Kelvokonv, FormatAutoReadsIso2709) {
  const std::string iso = testing::SharedFile("marc4j/sample1.mrc");
  if (!fs::exists(iso)) GTEST_SKIP() << "testdata saknas: " << iso;
  const TKelvokonvResult r = RunKelvokonv(dir, {"--ini", ini, "-p", "1", iso, dir.File("cli.mrc")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  state.Profile = 1;
  state.InFile = iso;
  state.SourceIsIso = true;
  EXPECT_EQ(ReadAll(dir.File("cli.mrc")), LibraryRun(dir, state, "lib.mrc"));
  const TKelvokonvResult survey = RunKelvokonv(dir, {"--ini", ini, "--survey", iso});
  EXPECT_EQ(survey.Status, 1);
  EXPECT_NE(survey.Err.find("Iso2709"), std::string::npos);
}

struct TErrorCase {
  const char* Name;
  std::vector<std::string> Args;
  int Status;
  const char* Message; // UTF-8
};

class KelvokonvErrors : public Kelvokonv, public ::testing::WithParamInterface<TErrorCase> {};

TEST_P(KelvokonvErrors, ExitWithAMessage) {
  const auto& given = GetParam().Args;
  std::vector<std::string> args;
  if (std::find(given.begin(), given.end(), "--ini") == given.end()) args = {"--ini", ini};
  for (const std::string& a : GetParam().Args)
    args.push_back(a == "IN"        ? in
                   : a == "DIR"     ? dir.File("")
                   : a == "BADJOBS" ? dir.Write("tradar.ini", "[diverse]\r\ntradar=alla\r\n")
                                    : a);
  const TKelvokonvResult r = RunKelvokonv(dir, args);
  EXPECT_EQ(r.Status, GetParam().Status) << r.Err;
  EXPECT_NE(r.Err.find(GetParam().Message), std::string::npos) << r.Err;
  EXPECT_EQ(ReadAll(in), Records); // the input is never touched
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KelvokonvErrors,
    ::testing::Values(
        TErrorCase{"UnknownOption", {"--frobnicate", "IN", "ut.mrc"}, 2, "ok\xc3\xa4nd flagga: --frobnicate"},
        TErrorCase{"NoInput", {}, 2, "ingen infil angiven"},
        TErrorCase{"NoOutput", {"IN"}, 2, "ingen utfil angiven"},
        TErrorCase{"MissingInput", {"/saknas/in.mrc", "ut.mrc"}, 1, "infilen finns inte: /saknas/in.mrc"},
        TErrorCase{"UnreadableInput", {"DIR", "ut.mrc"}, 1, "infilen finns inte"},
        TErrorCase{
            "OutputCannotBeCreated", {"-p", "1", "IN", "/saknas/mapp/ut.mrc"}, 1, "/saknas/mapp/ut.mrc"},
        TErrorCase{"OutputIsInput", {"-p", "1", "IN", "IN"}, 1, "Utfilen och infilen \xc3\xa4r samma fil"},
        TErrorCase{"UnknownProfile", {"-p", "7", "IN", "ut.mrc"}, 2, "ok\xc3\xa4nd profil: 7"},
        TErrorCase{"UnknownFormat", {"--format", "xml", "IN", "ut.mrc"}, 2, "ok\xc3\xa4nt format: xml"},
        TErrorCase{
            "UnknownProfile1Option", {"--option", "x", "IN", "ut.mrc"}, 2, "ok\xc3\xa4nd profil 1-option"},
        TErrorCase{"Conflict", {"--filter", "--no-filter", "IN", "ut.mrc"}, 2, "kan inte anges samtidigt"},
        TErrorCase{"UnknownCharset",
                   {"--charset", "latin1", "IN", "ut.mrc"},
                   2,
                   "ok\xc3\xa4nd teckenupps\xc3\xa4ttning"},
        TErrorCase{"ZeroJobs",
                   {"--jobs", "0", "IN", "ut.mrc"},
                   2,
                   "ogiltigt antal tr\xc3\xa5"
                   "dar: 0"},
        TErrorCase{"JobsSetting",
                   {"--ini", "BADJOBS", "-p", "1", "IN", "ut.mrc"},
                   1,
                   "Ogiltigt antal tr\xc3\xa5"
                   "dar \"alla\" (inst\xc3\xa4llningen \"tradar\""},
        TErrorCase{"NotMarcXml", {"--format", "marcxml", "IN", "ut.mrc"}, 1, "Fel i MARCXML-filen"},
        TErrorCase{
            "MarcXmlInProfile2", {"-p", "2", "--format", "marcxml", "IN", "ut.mrc"}, 1, "profil 0 och 1"},
        TErrorCase{"MissingSettingsFile",
                   {"--ini", "/saknas.ini", "IN", "ut.mrc"},
                   1,
                   "inst\xc3\xa4llningsfilen finns inte"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Kelvokonv, DecodesUtf8AndMarcXmlAndSaysWhatItRecoded) {
  const std::string iso = dir.Write(
      "in.iso", testing::IsoRecord("00000nam a2200000   4500", {{"001", "A1"},
                                                                {"245", "10\x1f"
                                                                        "aSm\xc3\xa5 \xc5\x82ogi"}}));
  const TKelvokonvResult r = RunKelvokonv(dir, {"--ini", ini, "-p", "1", iso, dir.File("iso.mrc")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const std::string converted = ReadAll(dir.File("iso.mrc"));
  EXPECT_NE(converted.find("$aSm\xe5 logi"), std::string::npos) << converted;
  EXPECT_NE(r.Err.find("Omkodade poster: 1 (UTF-8 1, MARC-8 0)\nTecken som ersatts: 1 i 1 poster\n"
                       "  post 1 (001 A1): U+0142 LATIN SMALL LETTER L WITH STROKE ersattes med \"l\""),
            std::string::npos)
      << r.Err;

  const TKelvokonvResult raw =
      RunKelvokonv(dir, {"--ini", ini, "-p", "1", "--charset", "cp1252", iso, dir.File("raw.mrc")});
  ASSERT_EQ(raw.Status, 0) << raw.Err;
  EXPECT_NE(ReadAll(dir.File("raw.mrc")).find("$aSm\xc3\xa5 \xc5\x82ogi"), std::string::npos);
  EXPECT_EQ(raw.Err.find("Omkodade"), std::string::npos) << raw.Err;

  const std::string xml = dir.Write(
      "in.xml", "<collection xmlns=\"http://www.loc.gov/MARC21/slim\"><record><leader>" +
                    ReadAll(iso).substr(0, 24) +
                    "</leader><controlfield tag=\"001\">A1</controlfield><datafield tag=\"245\" ind1=\"1\" "
                    "ind2=\"0\"><subfield code=\"a\">Sm\xc3\xa5 "
                    "\xc5\x82ogi</subfield></datafield></record></collection>");
  const TKelvokonvResult fromXml = RunKelvokonv(dir, {"--ini", ini, "-p", "1", xml, dir.File("xml.mrc")});
  ASSERT_EQ(fromXml.Status, 0) << fromXml.Err;
  EXPECT_EQ(ReadAll(dir.File("xml.mrc")), converted);
}

TEST_F(Kelvokonv, HelpAndVersion) {
  const TKelvokonvResult help = RunKelvokonv(dir, {"--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("--profile N"), std::string::npos);
  EXPECT_NE(help.Out.find("Flaggor:"), std::string::npos);
  for (const char* english : {"Options", "OPTIONS", "TEXT", "Positionals", "Usage", "REQUIRED"})
    EXPECT_EQ(help.Out.find(english), std::string::npos) << english << "\n" << help.Out;
  const TKelvokonvResult version = RunKelvokonv(dir, {"--version"});
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out, "kelvokonv 3.16\n");
}

TEST_F(Kelvokonv, InterruptStopsAfterARecordAndKeepsTheOutput) {
  std::string big;
  for (int i = 0; i < 300000; ++i)
    big += "*245 10$aTitel " + std::to_string(i) + "\r\n^\r\n";
  const std::string input = dir.Write("stor.mrc", big);
  const std::string out = dir.File("ut.mrc");
  // Once records are being written the handler is in place.
  const TKelvokonvResult r = dir.Run({.Args = {"--ini", ini, "-p", "1", "--format", "line", input, out},
                                      .Signal = SIGINT,
                                      .SignalWhen = [&] {
                                        std::error_code ec;
                                        return fs::exists(out, ec) && fs::file_size(out, ec) > 0;
                                      }});
  ASSERT_EQ(r.Status, 130) << r.Err;
  const std::string written = ReadAll(out);
  ASSERT_FALSE(written.empty());
  EXPECT_LT(written.size(), big.size());
  EXPECT_TRUE(EndsWith(written, "\r\n^\r\n")); // the last record is whole
  EXPECT_NE(r.Err.find("Antal konverterade poster: "), std::string::npos);
  EXPECT_NE(r.Err.find("Avbruten: posterna som skrevs f\xc3\xb6re avbrottet finns kvar.\n"),
            std::string::npos);
}

} // namespace
} // namespace kelvo
