// kelvokonv run as a separate program: exit statuses, messages, and output
// files byte for byte against the same run made through the library.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/Fakes.h"
#include "app/ProfileRun.h"
#include "app/StartUp.h"
#include "profiles/kv21/Kv21TestSupport.h"
#include "record/test_files.h"
#include "record/vostr.h"

extern char** environ;

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using testing::ReadAll;

const std::string Records = "*001 1\r\n*245 10$aF\xf6rsta titeln$cN.N.\r\n*650  $aA$xB\r\n^\r\n"
                            "*001 2\r\n*245 00$aAndra titeln\r\n*500  $aNot\r\n*500  $aNot\r\n^\r\n";

// A folder beside the program with its own copy (a hard link) of kelvokonv,
// so that its settings file and data folder are this folder.
class TProgramDir {
public:
  TProgramDir() {
    const fs::path program(KELVOKONV_PATH);
    std::string pattern = (program.parent_path() / "kelvokonv-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp " + pattern);
    folder_ = pattern;
    std::error_code ec;
    fs::create_hard_link(program, folder_ / "kelvokonv", ec);
    if (ec) fs::copy_file(program, folder_ / "kelvokonv");
  }
  ~TProgramDir() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  std::string File(std::string_view name) const { return (folder_ / name).string(); }
  std::string Write(std::string_view name, std::string_view content) const {
    std::ofstream(File(name), std::ios::binary) << content;
    return File(name);
  }
  std::string Program() const { return File("kelvokonv"); }

private:
  fs::path folder_;
};

struct TResult {
  int Status = -1;
  std::string Out, Err; // standard output and error, UTF-8
};

// Starts the program in the folder with this process's environment; onStarted
// runs while it goes.
TResult RunKelvokonv(const TProgramDir& dir, const std::vector<std::string>& args,
                     const std::function<void(pid_t)>& onStarted = {}) {
  std::vector<std::string> argv{dir.Program()};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (auto& a : argv)
    cargv.push_back(a.data());
  cargv.push_back(nullptr);

  const std::string out = dir.File("stdout.txt"), err = dir.File("stderr.txt");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const std::string cwd = dir.File("");
  posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str()); // relative names are the folder's
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, cargv[0], &actions, nullptr, cargv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  TResult result;
  if (spawned != 0) return result;
  if (onStarted) onStarted(pid);
  int status = 0;
  waitpid(pid, &status, 0);
  result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.Out = ReadAll(out);
  result.Err = ReadAll(err);
  return result;
}

// The same conversion through the library, with the state the options stand for.
std::string LibraryRun(const TProgramDir& dir, TMainState state, const std::string& outName) {
  state.OutFile = dir.File(outName);
  testing::TFakeShell shell;
  EXPECT_EQ(RunProfile(state, shell.Frame), TRunOutcome::Completed);
  return ReadAll(state.OutFile);
}

// The date stamp of both runs is 1970-01-01.
class TFixedDate {
public:
  TFixedDate() {
    if (const char* old = std::getenv("SOURCE_DATE_EPOCH")) old_ = old;
    setenv("SOURCE_DATE_EPOCH", "0", 1);
  }
  ~TFixedDate() {
    if (old_) setenv("SOURCE_DATE_EPOCH", old_->c_str(), 1);
    else unsetenv("SOURCE_DATE_EPOCH");
  }

private:
  std::optional<std::string> old_;
};

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
  TFixedDate date;
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
  const TResult r = RunKelvokonv(dir, args);
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
  const TResult on =
      RunKelvokonv(dir, {"--ini", ini, "-p", "1", "--filter-file", filter, in, dir.File("on.mrc")});
  const TResult off = RunKelvokonv(
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
  const TResult r = RunKelvokonv(dir, {"-o", dir.File("cli.mrc")}); // the settings file beside the program
  ASSERT_EQ(r.Status, 0) << r.Err;
  state.Profile = 1;
  state.SubfieldLines = false;
  state.FilterFile = ProfileFilterFile(state);
  EXPECT_EQ(ReadAll(dir.File("cli.mrc")), LibraryRun(dir, state, "lib.mrc"));
  EXPECT_EQ(ReadAll(dir.File("kelvokonv.ini")).find("marcfilteron"), std::string::npos); // never written
}

TEST_F(Kelvokonv, SummaryCountsEveryDestination) {
  const TResult r =
      RunKelvokonv(dir, {"--ini", ini, "-p", "1", in, dir.File("ut.mrc"), "--weeded", dir.File("g.mrc")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("Antal konverterade poster: "), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("(" + dir.File("ut.mrc") + ")"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("(" + dir.File("g.mrc") + ")"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("Utgallrade poster har separerats till fil:\n" + dir.File("g.mrc")),
            std::string::npos);
  EXPECT_TRUE(r.Out.empty());
  const TResult quiet = RunKelvokonv(dir, {"--ini", ini, "-q", "-p", "1", in, dir.File("ut.mrc")});
  EXPECT_EQ(quiet.Status, 0);
  EXPECT_TRUE(quiet.Err.empty()) << quiet.Err;
}

TEST_F(Kelvokonv, BatchFormRunsWithTheProgramsSettingsAndFolder) {
  dir.Write("kelvokonv.ini", "[diverse]\r\nprofil=1\r\n");
  const TResult r = RunKelvokonv(dir, {"/bat/in=in.mrc/ut=ut.mrc/iso=0"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  state.Profile = 1;
  state.FilterFile = ProfileFilterFile(state);
  EXPECT_EQ(ReadAll(dir.File("ut.mrc")), LibraryRun(dir, state, "lib.mrc"));
}

TEST_F(Kelvokonv, BatchFormWithAMissingInputFails) {
  const TResult r = RunKelvokonv(dir, {"/bat/in=saknas.m21/ut=ut.mrc"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("Kan ej k\xc3\xb6ra batch, kontrollera filangivelserna"), std::string::npos) << r.Err;
  EXPECT_FALSE(fs::exists(dir.File("ut.mrc")));
}

TEST_F(Kelvokonv, SurveyListsTagsAndCodes) {
  const TResult r = RunKelvokonv(dir, {"--ini", ini, "--survey", in});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "001\n245ac\n500a\n650ax\n");
}

TEST_F(Kelvokonv, FormatAutoReadsIso2709) {
  const std::string iso = std::string(KELVO_SHARED_DATA) + "/marc21/marc4j/sample1.mrc";
  if (!fs::exists(iso)) GTEST_SKIP() << "testdata saknas: " << iso;
  const TResult r = RunKelvokonv(dir, {"--ini", ini, "-p", "1", iso, dir.File("cli.mrc")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  state.Profile = 1;
  state.InFile = iso;
  state.SourceIsIso = true;
  EXPECT_EQ(ReadAll(dir.File("cli.mrc")), LibraryRun(dir, state, "lib.mrc"));
  const TResult survey = RunKelvokonv(dir, {"--ini", ini, "--survey", iso});
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
    args.push_back(a == "IN" ? in : a == "DIR" ? dir.File("") : a);
  const TResult r = RunKelvokonv(dir, args);
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
        TErrorCase{"OutputIsInput", {"-p", "1", "IN", "IN"}, 1, "samma fil som infilen"},
        TErrorCase{"UnknownProfile", {"-p", "7", "IN", "ut.mrc"}, 2, "ok\xc3\xa4nd profil: 7"},
        TErrorCase{"UnknownFormat", {"--format", "xml", "IN", "ut.mrc"}, 2, "ok\xc3\xa4nt format: xml"},
        TErrorCase{
            "UnknownProfile1Option", {"--option", "x", "IN", "ut.mrc"}, 2, "ok\xc3\xa4nd profil 1-option"},
        TErrorCase{"Conflict", {"--filter", "--no-filter", "IN", "ut.mrc"}, 2, "kan inte anges samtidigt"},
        TErrorCase{"UnknownCharset",
                   {"--charset", "latin1", "IN", "ut.mrc"},
                   2,
                   "ok\xc3\xa4nd teckenupps\xc3\xa4ttning"},
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
      "in.iso", kv21test::IsoRecord("00000nam a2200000   4500", {{"001", "A1"},
                                                                 {"245", "10\x1f"
                                                                         "aSm\xc3\xa5 \xc5\x82ogi"}}));
  const TResult r = RunKelvokonv(dir, {"--ini", ini, "-p", "1", iso, dir.File("iso.mrc")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const std::string converted = ReadAll(dir.File("iso.mrc"));
  EXPECT_NE(converted.find("$aSm\xe5 logi"), std::string::npos) << converted;
  EXPECT_NE(r.Err.find("Omkodade poster: 1 (UTF-8 1, MARC-8 0)\nTecken som ersatts: 1 i 1 poster\n"
                       "  post 1 (001 A1): U+0142 LATIN SMALL LETTER L WITH STROKE ersattes med \"l\""),
            std::string::npos)
      << r.Err;

  const TResult raw =
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
  const TResult fromXml = RunKelvokonv(dir, {"--ini", ini, "-p", "1", xml, dir.File("xml.mrc")});
  ASSERT_EQ(fromXml.Status, 0) << fromXml.Err;
  EXPECT_EQ(ReadAll(dir.File("xml.mrc")), converted);
}

TEST_F(Kelvokonv, HelpAndVersion) {
  const TResult help = RunKelvokonv(dir, {"--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("--profile"), std::string::npos);
  const TResult version = RunKelvokonv(dir, {"--version"});
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out, "kelvokonv 3.16\n");
}

TEST_F(Kelvokonv, InterruptStopsAfterARecordAndKeepsTheOutput) {
  std::string big;
  for (int i = 0; i < 300000; ++i)
    big += "*245 10$aTitel " + std::to_string(i) + "\r\n^\r\n";
  const std::string input = dir.Write("stor.mrc", big);
  const std::string out = dir.File("ut.mrc");
  const TResult r =
      RunKelvokonv(dir, {"--ini", ini, "-p", "1", "--format", "line", input, out}, [&](pid_t pid) {
        // Once records are being written the handler is in place.
        for (int i = 0; i < 2000; ++i) {
          std::error_code ec;
          if (fs::exists(out, ec) && fs::file_size(out, ec) > 0) break;
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        kill(pid, SIGINT);
      });
  ASSERT_EQ(r.Status, 130) << r.Err;
  const std::string written = ReadAll(out);
  ASSERT_FALSE(written.empty());
  EXPECT_LT(written.size(), big.size());
  EXPECT_TRUE(EndsWith(written, "\r\n^\r\n")); // the last record is whole
  EXPECT_NE(r.Err.find("Antal konverterade poster: "), std::string::npos);
}

} // namespace
} // namespace kelvo
