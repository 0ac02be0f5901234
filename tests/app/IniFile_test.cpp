// The settings file: private-profile reading and writing on a real file.
#include "app/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TempDir;

TEST(IniFileRead, MissingFileGivesTheDefaults) {
  TempDir dir;
  const TIniFile ini(dir.File("saknas.ini"));
  EXPECT_EQ(ini.ReadString("filer", "infil", "std"), "std");
  EXPECT_EQ(ini.ReadInteger("diverse", "profil", 7), 7);
  EXPECT_TRUE(ini.ReadBool("diverse", "dfradbryt", true));
  EXPECT_FALSE(ini.ReadBool("diverse", "dfradbryt", false));
}

TEST(IniFileRead, FindsSectionsAndKeysCaseInsensitivelyAndTrimsValues) {
  TempDir dir;
  const TIniFile ini(dir.Write("k.ini", "; kommentar\r\n[Filer]\r\n  InFil = C:\\data\\a.m21  \r\n"
                                        "[diverse]\r\nprofil=2\r\nutgallradkriterier=\"Gallr|U\"\r\n"));
  EXPECT_EQ(ini.ReadString("filer", "infil", ""), "C:\\data\\a.m21");
  EXPECT_EQ(ini.ReadInteger("DIVERSE", "Profil", 0), 2);
  EXPECT_EQ(ini.ReadString("diverse", "utgallradkriterier", ""), "Gallr|U");
  EXPECT_EQ(ini.ReadString("filer", "profil", "ingen"), "ingen"); // key of another section
}

TEST(IniFileRead, TheFirstSectionAndKeyOfANameCount) {
  TempDir dir;
  const TIniFile ini(dir.Write("k.ini", "[a]\nx=1\nx=2\n[b]\nx=3\n[a]\ny=4\n"));
  EXPECT_EQ(ini.ReadString("a", "x", ""), "1");
  EXPECT_EQ(ini.ReadString("b", "x", ""), "3");
  EXPECT_EQ(ini.ReadString("a", "y", "-"), "-");
}

struct TNumberCase {
  const char* Value;
  int Expected;
};

class IniFileNumbers : public ::testing::TestWithParam<TNumberCase> {};

TEST_P(IniFileNumbers, NonNumericValuesGiveTheDefault) {
  TempDir dir;
  const TIniFile ini(dir.Write("k.ini", std::string("[diverse]\r\nprofil=") + GetParam().Value + "\r\n"));
  EXPECT_EQ(ini.ReadInteger("diverse", "profil", 0), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Values, IniFileNumbers,
                         ::testing::Values(TNumberCase{"1", 1}, TNumberCase{"-3", -3}, TNumberCase{"", 0},
                                           TNumberCase{"ett", 0}, TNumberCase{"2x", 0},
                                           TNumberCase{"1.5", 0}));

TEST(IniFileRead, BooleansAreIntegers) {
  TempDir dir;
  const TIniFile ini(dir.Write("k.ini", "[d]\na=0\nb=1\nc=5\nd=yes\n"));
  EXPECT_FALSE(ini.ReadBool("d", "a", true));
  EXPECT_TRUE(ini.ReadBool("d", "b", false));
  EXPECT_TRUE(ini.ReadBool("d", "c", false));
  EXPECT_FALSE(ini.ReadBool("d", "d", false)); // unreadable: the default
  EXPECT_TRUE(ini.ReadBool("d", "d", true));
}

TEST(IniFileRead, SkipsAByteOrderMarkAndTakesEveryLineEnd) {
  struct Row {
    std::string text, after; // after writing utfil=b
  };
  const Row rows[] = {
      {"\xef\xbb\xbf[filer]\r\ninfil=a\r\n", "\xef\xbb\xbf[filer]\r\ninfil=a\r\nutfil=b\r\n"},
      {"[filer]\ninfil=a", "[filer]\ninfil=a\nutfil=b\n"},
      {"[filer]\rinfil=a\r[x]\r", "[filer]\rinfil=a\rutfil=b\r[x]\r"},
  };
  for (const Row& row : rows) {
    TempDir dir;
    TIniFile ini(dir.Write("k.ini", row.text));
    EXPECT_EQ(ini.ReadString("filer", "infil", "-"), "a") << row.text;
    ASSERT_TRUE(ini.WriteString("filer", "utfil", "b"));
    EXPECT_EQ(ReadAll(ini.FileName()), row.after);
  }
}

TEST(IniFileRead, IsReadOnceAndAgainOnlyWhenTheFileChanged) {
  TempDir dir;
  const std::string fifo = dir.File("k.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] { std::ofstream(fifo) << "[diverse]\nprofil=2\n"; });
  const TIniFile fromFifo(fifo); // reads the FIFO to its end here, once
  writer.join();
  EXPECT_EQ(fromFifo.ReadInteger("diverse", "profil", 0), 2);
  EXPECT_EQ(fromFifo.ReadInteger("diverse", "profil", 0), 2); // a second read would wait for ever

  const TIniFile file(dir.Write("fil.ini", "[diverse]\nprofil=1\n"));
  EXPECT_EQ(file.ReadInteger("diverse", "profil", 0), 1);
  dir.Write("fil.ini", "[diverse]\nprofil=22\n"); // edited between two runs
  EXPECT_EQ(file.ReadInteger("diverse", "profil", 0), 22);
  EXPECT_TRUE(file.LoadError().empty());
}

TEST(IniFileRead, AFileThatCannotBeReadIsAnErrorAndIsNeverWritten) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("mapp.ini"));
  const std::string fifo = dir.File("tom.ini");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] { std::ofstream{fifo}; }); // opens and closes at once
  TIniFile closedFifo(fifo);
  writer.join();
  const std::string locked = dir.Write("last.ini", "[filer]\ninfil=a\n");
  chmod(locked.c_str(), 0);
  TIniFile folder(dir.File("mapp.ini"));
  TIniFile noPermission(locked);
  TIniFile tooLarge(dir.Write("stor.ini", std::string(TIniFile::MaxFileSize + 1, ';')));
  struct Row {
    TIniFile* ini;
    const char* reason; // after the file name
  };
  std::vector<Row> rows = {{&folder, " (en mapp)"},
                           {&closedFifo, " (den gav inga data)"},
                           {&tooLarge, ": filen \xe4r st\xf6rre \xe4n 1 MB"}};
  if (geteuid() != 0) rows.push_back({&noPermission, " (beh\xf6righet saknas)"}); // root reads anything
  for (const Row& row : rows) {
    EXPECT_EQ(row.ini->LoadError(),
              "Kan inte l\xe4sa inst\xe4llningsfilen " + row.ini->FileName() + row.reason);
    EXPECT_EQ(row.ini->ReadString("filer", "infil", "std"), "std");
    EXPECT_FALSE(row.ini->WriteString("filer", "infil", "b"));
  }
  chmod(locked.c_str(), 0600);
  EXPECT_EQ(ReadAll(locked), "[filer]\ninfil=a\n");
}

TEST(IniFileWrite, CreatesAMissingFileWithWindowsLineEnds) {
  TempDir dir;
  TIniFile ini(dir.File("ny.ini"));
  ASSERT_TRUE(ini.WriteString("filer", "infil", "C:\\data\\a.m21"));
  ASSERT_TRUE(ini.WriteBool("diverse", "periodicasep", true));
  ASSERT_TRUE(ini.WriteBool("diverse", "marcfilteron", false));
  EXPECT_EQ(ReadAll(ini.FileName()),
            "[filer]\r\ninfil=C:\\data\\a.m21\r\n[diverse]\r\nperiodicasep=1\r\nmarcfilteron=0\r\n");
}

TEST(IniFileWrite, ChangesOnlyTheLineOfItsKey) {
  TempDir dir;
  const std::string before = "; egen kommentar\r\n[filer]\r\ninfil=gammal\r\nannan=beh\xe5ll\r\n\r\n"
                             "[egen]\r\nx = y \r\n";
  TIniFile ini(dir.Write("k.ini", before));
  ASSERT_TRUE(ini.WriteString("FILER", "infil", "ny \xe5\xe4\xf6"));
  EXPECT_EQ(ReadAll(ini.FileName()),
            "; egen kommentar\r\n[filer]\r\ninfil=ny \xe5\xe4\xf6\r\nannan=beh\xe5ll\r\n"
            "\r\n[egen]\r\nx = y \r\n");
}

TEST(IniFileWrite, AddsAKeyAfterTheLastLineOfItsSection) {
  TempDir dir;
  TIniFile ini(dir.Write("k.ini", "[filer]\ninfil=a\n\n[diverse]\nprofil=1"));
  ASSERT_TRUE(ini.WriteString("filer", "utfil", "b"));
  ASSERT_TRUE(ini.WriteString("diverse", "dfradbryt", "0"));
  // The file's own line end is kept, and its last line gets one before the new key.
  EXPECT_EQ(ReadAll(ini.FileName()), "[filer]\ninfil=a\nutfil=b\n\n[diverse]\nprofil=1\ndfradbryt=0\n");
}

TEST(IniFileWrite, ReadsBackWhatItWrote) {
  TempDir dir;
  TIniFile ini(dir.File("k.ini"));
  ASSERT_TRUE(ini.WriteInteger("diverse", "profil", 2));
  ASSERT_TRUE(ini.WriteString("filer", "periodica", "/tmp/p.mrc"));
  ASSERT_TRUE(ini.WriteInteger("diverse", "profil", 1));
  EXPECT_EQ(ini.ReadInteger("diverse", "profil", 0), 1);
  EXPECT_EQ(ini.ReadString("filer", "periodica", ""), "/tmp/p.mrc");
}

TEST(IniFileWrite, ReportsAFileThatCannotBeStored) {
  TempDir dir;
  TIniFile ini(dir.File("saknad-mapp/k.ini"));
  EXPECT_FALSE(ini.WriteString("filer", "infil", "a"));
}

} // namespace
} // namespace kelvo
