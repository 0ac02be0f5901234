#include "convert/KonvSimple.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "record/MarcError.h"
#include "support/SharedData.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TempDir;

std::string ErrorOf(const std::string& out, const std::string& in) {
  try {
    TKonvSimple konv(out, in, "^");
    konv.BeginOutput();
  } catch (const MarcError& e) {
    return e.what();
  }
  return "no exception";
}

TEST(KonvSimpleOpen, InputThatCannotBeOpenedRaisesBeforeTheOutputIsTouched) {
  TempDir dir;
  const std::string out = dir.Write("ut.mrc", "earlier run");
  for (const std::string& in : {dir.File("saknas.mrc"), dir.File("")}) {
    EXPECT_EQ(ErrorOf(out, in), "Kan inte \xf6ppna indatafilen " + in);
    EXPECT_THROW(TKonvSimple(in, "^"), MarcError);
  }
  EXPECT_EQ(ReadAll(out), "earlier run");
}

TEST(KonvSimpleOpen, SameFileForInputAndOutputRaisesAndKeepsTheInput) {
  TempDir dir;
  const std::string in = dir.Write("in.mrc", "*001A1\r\n^\r\n");
  EXPECT_EQ(ErrorOf(in, in), "Utfilen och infilen \xe4r samma fil: " + in);
  EXPECT_EQ(ReadAll(in), "*001A1\r\n^\r\n");
  const std::string out = dir.File("ingen/ut.mrc");
  EXPECT_EQ(ErrorOf(out, in), "Kan inte skapa utfilen " + out);
}

TEST(KonvSimpleRead, CutsAtTheSeparatorCharacterOrString) {
  struct Case {
    std::string content, separator;
    std::vector<std::string> texts;
  };
  const std::vector<Case> cases = {
      {"a^b^", "^", {"a", "b", ""}},
      {"a^b", "^", {"a", "b"}},
      {"", "^", {""}},
      {"one\x1dtwo\x1d", "\x1d", {"one", "two", ""}},
      {"a|b||c", "||", {"a|b", "c"}},
  };
  for (const auto& c : cases) {
    TempDir dir;
    TKonvSimple konv(dir.Write("in.mrc", c.content), c.separator);
    std::vector<std::string> texts;
    while (!konv.EndOfInput && texts.size() < 10) {
      konv.OutRecord.AddField("245");
      konv.ConvertNext();
      EXPECT_EQ(konv.OutRecord.FieldCount(), 0);
      texts.emplace_back(konv.RecordText);
    }
    EXPECT_EQ(texts, c.texts) << c.content;
    konv.ConvertNext(); // the end stays the end
    EXPECT_TRUE(konv.EndOfInput);
    EXPECT_EQ(konv.RecordText, "");
  }
}

// Reads the input as a converter does and writes each record unchanged;
// stops after maxCalls calls of ConvertNext, like a cancelled run.
int PassThrough(TKonvSimple& konv, bool iso, int maxCalls = 1 << 30) {
  TMarcRec source;
  int calls = 0;
  while (!konv.EndOfInput && calls < maxCalls) {
    ++calls;
    konv.ConvertNext();
    konv.ParseRecordText(source, iso);
    if (source.FieldCount() == 0) continue;
    for (const auto& field : source.Fields)
      konv.OutRecord.CopyField(*field);
    konv.WriteRecord();
  }
  return calls;
}

const std::string kTwoRecords = "*00000000nam  2200000 a 4500\r\n*001A1001\r\n"
                                "*24510$aBirds of the north$cedited by the society\r\n*650 7$aBirds$2sao\r\n"
                                "\r\n^\r\n*001A1002\r\n*245 0$aFish\r\n\r\n^\r\n";

TEST(KonvSimplePassThrough, LineFormatComesOutAsItWentIn) {
  TempDir dir;
  const std::string out = dir.File("ut.mrc");
  {
    TKonvSimple konv(out, dir.Write("in.mrc", kTwoRecords), "^");
    EXPECT_EQ(PassThrough(konv, false), 3); // the line end after the last "^" is a call too
    EXPECT_EQ(konv.WrittenRecords, 2);
  }
  EXPECT_EQ(ReadAll(out), kTwoRecords);

  {
    TKonvSimple konv(out, dir.File("in.mrc"), "^");
    konv.SubfieldLines = true;
    PassThrough(konv, false);
  }
  EXPECT_EQ(ReadAll(out), "*00000000nam  2200000 a 4500\r\n*001A1001\r\n*24510$aBirds of the north\r\n"
                          "$cedited by the society\r\n*650 7$aBirds\r\n$2sao\r\n^\r\n"
                          "*001A1002\r\n*245 0$aFish\r\n^\r\n");
}

TEST(KonvSimplePassThrough, StoppedRunKeepsWhatWasWritten) {
  TempDir dir;
  std::string input, firstFive;
  for (int i = 1; i <= 8; ++i) {
    const std::string record = "*001A" + std::to_string(i) + "\r\n*245 0$aTitle\r\n\r\n^\r\n";
    input += record;
    if (i <= 5) firstFive += record;
  }
  const std::string out = dir.File("ut.mrc");
  {
    TKonvSimple konv(out, dir.Write("in.mrc", input), "^");
    EXPECT_EQ(PassThrough(konv, false, 5), 5);
  }
  EXPECT_EQ(ReadAll(out), firstFive);
}

TEST(KonvSimplePassThrough, RecordLongerThanOneChunkPassesThrough) {
  TempDir dir;
  const std::string input =
      "*001A1\r\n\r\n^\r\n*001A2\r\n*500  $a" + std::string(200000, 'x') + "\r\n\r\n^\r\n*001A3\r\n\r\n^\r\n";
  const std::string out = dir.File("ut.mrc");
  {
    TKonvSimple konv(out, dir.Write("in.mrc", input), "^");
    PassThrough(konv, false);
    EXPECT_EQ(konv.WrittenRecords, 3);
  }
  EXPECT_EQ(ReadAll(out), input);
}

TEST(KonvSimpleInput, NotesWhatTheRunMustTell) {
  const std::string iso = "00040nam  2200037   4500001000200000\x1e"
                          "a\x1e\x1d";
  const std::string line = "*245  $aA\r\n^\r\n";
  struct Case {
    const char* name;
    std::string content;
    bool iso;
    std::int64_t dropped, incomplete;
    std::string warning; // the beginning of the one warning, if any
    const char* formatError;
  };
  const Case cases[] = {
      {"Iso", iso + iso, true, 0, 0, "", nullptr},
      {"IncompleteLast", iso + iso.substr(0, 30), true, 0, 1, "Ofullst\xe4ndig sista post: nr 2 ", nullptr},
      {"TooLong", line + std::string(50, 'x') + "^" + line, false, 1, 0,
       "Post nr 2 (byte 12 i infilen) \xe4r 52 byte l\xe5ng, l\xe4ngre \xe4n gr\xe4nsen 45 byte", nullptr},
      {"OnlyTooLong", std::string(50, 'x'), false, 1, 0, "Post nr 1 ", nullptr},
      {"Blank", "\r\n", true, 0, 0, "", nullptr},
      {"LineReadAsIso", line + line, true, 0, 0, "", "Iso2709-format. \xc4r den i radformat?"},
      {"IsoReadAsLine", iso, false, 0, 0, "", "radformat. \xc4r den i Iso2709-format?"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    TKonvSimple konv(dir.File("ut.mrc"), dir.Write("in", c.content), c.iso ? "\x1d" : "^");
    konv.SourceIsIso = c.iso;
    konv.Reader.MaxRecordLength = 45; // above the ISO 2709 records here, below the long ones
    while (!konv.EndOfInput)
      konv.ConvertNext();
    EXPECT_EQ(konv.DroppedRecords, c.dropped) << c.name;
    EXPECT_EQ(konv.IncompleteRecords, c.incomplete) << c.name;
    const std::vector<TRunMessage> warnings = konv.RunMessages();
    ASSERT_EQ(warnings.size(), c.warning.empty() ? 0U : 1U) << c.name;
    EXPECT_TRUE(warnings.empty() || (warnings[0].Kind == TRunMessage::TKind::Warning &&
                                     warnings[0].Text.rfind(c.warning, 0) == 0))
        << warnings[0].Text;
    try {
      konv.CheckInputFormat();
      EXPECT_EQ(c.formatError, nullptr) << c.name;
    } catch (const TInputFormatError& e) {
      ASSERT_NE(c.formatError, nullptr) << c.name;
      EXPECT_NE(std::string(e.what()).find(c.formatError), std::string::npos) << e.what();
    }
  }
}

// Real ISO 2709 files: every byte but the terminators reaches a record text,
// and every record is written.
TEST(KonvSimplePassThrough, RealIsoFilesAreReadWhole) {
  if (!std::filesystem::is_directory(testing::SharedMarc21()))
    GTEST_SKIP() << "no " << testing::SharedMarc21();
  for (const char* name :
       {"marc4j/sample1.mrc", "marc4j/pride-and-prejudice-fixed.mrc", "marc4j/008008027.mrc",
        "marc4j/bad_hathi_records.mrc", "marc4j/datos-20161010-slice.mrc", "pymarc/bad_records.mrc"}) {
    const std::string in = testing::SharedFile(name);
    const std::string bytes = ReadAll(in);
    const auto terminators = std::count(bytes.begin(), bytes.end(), '\x1d');
    TempDir dir;
    TKonvSimple konv(dir.File("ut.mrc"), in, "\x1d");
    konv.OutRecord.ApplyFilter = false;
    TMarcRec source;
    std::int64_t calls = 0, textBytes = 0, records = 0;
    while (!konv.EndOfInput) {
      ++calls;
      konv.ConvertNext();
      textBytes += static_cast<std::int64_t>(konv.RecordText.size());
      if (konv.RecordText.empty()) continue;
      ++records;
      konv.ParseRecordText(source, true);
      for (const auto& field : source.Fields)
        konv.OutRecord.CopyField(*field);
      konv.WriteRecord();
    }
    EXPECT_EQ(calls, terminators + 1) << name;
    EXPECT_EQ(textBytes + terminators, static_cast<std::int64_t>(bytes.size())) << name;
    EXPECT_EQ(konv.WrittenRecords, records) << name;
  }
}

} // namespace
} // namespace kelvo
