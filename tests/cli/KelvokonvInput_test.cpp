// kelvokonv on inputs that are not plain files of the chosen format: pipes,
// FIFOs and standard input, damaged and truncated ISO 2709, the other
// format, records without an end, and settings files that cannot be read.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/IsoRecord.h"
#include "support/Kelvokonv.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TKelvokonvResult;
using testing::TProgramDir;

// A bash script in the folder in which $K is kelvokonv. A writer still
// waiting at the FIFO f is let through and ends, so that no process outlives
// the test.
TKelvokonvResult Shell(const TProgramDir& dir, const std::string& script) {
  return testing::RunKelvokonv({.Args = {"-c", "K='" KELVOKONV_PATH "'; rm -f f; " + script +
                                                   "\ns=$?; [ -p f ] && exec 3<>f 3>&-; exit $s"},
                                .Program = "/bin/bash",
                                .WorkDir = dir.File("")});
}

// An ISO 2709 record with a 001 and a 245.
std::string Record(int n) {
  const std::string title = std::string("10\x1f") + "aTitel " + std::to_string(n);
  return testing::IsoRecord("00000nam  2200000   4500", {{"001", std::to_string(n)}, {"245", title}});
}

// Inputs of more than one chunk in both formats.
class KelvokonvInput : public ::testing::Test {
protected:
  KelvokonvInput() {
    std::string line, iso;
    for (int i = 1; i <= 4000; ++i) {
      line += "*001 " + std::to_string(i) + "\r\n*245 10$aTitel " + std::to_string(i) + "\r\n^\r\n";
      iso += Record(i);
    }
    dir.Write("in.mrc", line);
    dir.Write("in.iso", iso);
    dir.Write("k.ini", "");
  }
  TProgramDir dir;
};

TEST_F(KelvokonvInput, StreamsGiveTheNamedFilesOutput) {
  struct Row {
    const char *input, *profile; // the named file's run
    const char* script;          // the same input as a stream, into ut.mrc
  };
  const Row rows[] = {
      {"in.mrc", "1", "cat in.mrc | $K --ini k.ini -p 1 - ut.mrc"},
      {"in.mrc", "1", "$K --ini k.ini -p 1 <(cat in.mrc) ut.mrc"},
      {"in.mrc", "1", "cat in.mrc | $K --ini k.ini -p 1 /dev/stdin ut.mrc"},
      {"in.iso", "1", "cat in.iso | $K --ini k.ini -p 1 - ut.mrc"}, // --format auto on a stream
      {"in.iso", "0", "$K --ini k.ini -p 0 <(cat in.iso) ut.mrc"},
      {"in.iso", "2", "mkfifo f && (cat in.iso > f &) && $K --ini k.ini -p 2 f ut.mrc"},
  };
  for (const Row& row : rows) {
    const TKelvokonvResult named =
        dir.Run({.Args = {"--ini", "k.ini", "-p", row.profile, row.input, "named.mrc"}});
    ASSERT_EQ(named.Status, 0) << named.Err;
    const TKelvokonvResult streamed = Shell(dir, row.script);
    EXPECT_EQ(streamed.Status, 0) << row.script << "\n" << streamed.Err;
    const std::string expected = ReadAll(dir.File("named.mrc"));
    EXPECT_GT(expected.size(), 100000U) << row.script;
    EXPECT_EQ(ReadAll(dir.File("ut.mrc")), expected) << row.script;
  }
}

TEST_F(KelvokonvInput, AutoFormatIsNotFooledByADamagedFirstRecord) {
  std::string iso = ReadAll(dir.File("in.iso"));
  iso.replace(0, 5, "xxxxx");
  dir.Write("skadad.iso", iso);
  const TKelvokonvResult autoFormat =
      dir.Run({.Args = {"--ini", "k.ini", "-p", "1", "skadad.iso", "auto.mrc"}});
  const TKelvokonvResult isoFormat =
      dir.Run({.Args = {"--ini", "k.ini", "-p", "1", "--format", "iso", "skadad.iso", "iso.mrc"}});
  ASSERT_EQ(autoFormat.Status, 0) << autoFormat.Err;
  EXPECT_EQ(ReadAll(dir.File("auto.mrc")), ReadAll(dir.File("iso.mrc")));
  EXPECT_NE(ReadAll(dir.File("auto.mrc")).find("Titel 4000"), std::string::npos);
}

TEST_F(KelvokonvInput, TheOtherFormatOrABadSettingsFileEndsWithAMessage) {
  struct Row {
    const char* script;
    int status;
    const char* message; // UTF-8, in standard error
  };
  const Row rows[] = {
      {"$K --ini k.ini -p 1 --format iso in.mrc ut.mrc", 1,
       "inneh\xc3\xa5ller inga poster i Iso2709-format. \xc3\x84r den i radformat?"},
      {"$K --ini k.ini -p 2 --format line in.iso ut.mrc", 1,
       "inneh\xc3\xa5ller inga poster i radformat. \xc3\x84r den i Iso2709-format?"},
      {"cp k.ini kelvokonv.ini && ln -f \"$K\" kelvokonv && ./kelvokonv /bat/in=in.mrc/ut=ut.mrc", 1,
       "inga poster i Iso2709-format"},
      {"$K --ini . -p 1 in.mrc ut.mrc", 1, "Kan inte l\xc3\xa4sa inst\xc3\xa4llningsfilen . (en mapp)"},
      {"mkfifo f && (: > f &) && $K --ini f -p 1 in.mrc ut.mrc", 1, "(den gav inga data)"},
      {"cat in.iso | $K --ini k.ini -p 2 --only-improper-parts - ut.mrc", 1, "kr\xc3\xa4ver en vanlig fil"},
      // Read once, whatever the number of keys: a FIFO gives its text once.
      {"mkfifo f && (printf '[diverse]\\nprofil=9\\n' > f &) && $K --ini f in.mrc ut.mrc", 1,
       "profil 9 finns inte"},
      {"printf '\\xef\\xbb\\xbf[diverse]\\rprofil=9\\r' > b.ini && $K --ini b.ini in.mrc ut.mrc", 1,
       "profil 9 finns inte"},
  };
  for (const Row& row : rows) {
    const TKelvokonvResult r = Shell(dir, row.script);
    EXPECT_EQ(r.Status, row.status) << row.script << "\n" << r.Err;
    EXPECT_NE(r.Err.find(row.message), std::string::npos) << row.script << "\n" << r.Err;
  }
}

TEST_F(KelvokonvInput, ATruncatedLastRecordIsConvertedAndTold) {
  const std::string iso = ReadAll(dir.File("in.iso"));
  dir.Write("kort.iso", iso.substr(0, iso.size() - 5)); // "Titel 4000" cut after "Titel 4"
  const TKelvokonvResult r = dir.Run({.Args = {"--ini", "k.ini", "-p", "1", "kort.iso", "ut.mrc"}});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("Ofullst\xc3\xa4ndig sista post: nr 4000 "), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("  Ofullst\xc3\xa4ndiga: 1\n"), std::string::npos) << r.Err;
  EXPECT_NE(ReadAll(dir.File("ut.mrc")).find("$aTitel 4\r\n"), std::string::npos);
}

TEST_F(KelvokonvInput, AnInputWithoutSeparatorCannotTakeMemoryWithoutEnd) {
  {
    std::ofstream big(dir.File("stor.mrc"), std::ios::binary);
    const std::string block(1 << 20, 'x');
    for (int i = 0; i < 64; ++i)
      big << block;
  }
  const TKelvokonvResult r =
      dir.Run({.Args = {"--ini", "k.ini", "-p", "1", "--format", "line", "stor.mrc", "ut.mrc"},
               .MeasureMemory = true});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Err.find("Post nr 1 (byte 0 i infilen) \xc3\xa4r 67108864 byte l\xc3\xa5ng"), std::string::npos)
      << r.Err;
  EXPECT_NE(r.Err.find("Ej skrivna: 1"), std::string::npos) << r.Err;
  // The 64 MB held once, let alone in the copies a record makes, would pass this.
  EXPECT_GT(r.MaxRssKb, 1000) << r.MaxRssKb << " kB";
  EXPECT_LT(r.MaxRssKb, 160L * 1024) << "kB";
}

} // namespace
} // namespace kelvo
