#include "convert/KonvBase.h"

#include <gtest/gtest.h>

#include "support/SourceDate.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "record/MarcError.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::ReadAll;
using testing::TempDir;

// The writing half of a converter; these tests never read input.
class TWriter : public TKonvBase {
public:
  using TKonvBase::OpenSideFile;
  using TKonvBase::TKonvBase;
  using TKonvBase::WriteRenderedTo;
  void ConvertNext() override {}
  int Percent() const override { return 0; }
};

void AddExampleRecord(TMarcRec& rec) {
  rec.AddControlField("000", "00000nam  2200000 a 4500");
  rec.AddControlField("001", "A1001");
  TMarcField* f = rec.AddField("245", '1', '0');
  f->AddSubfield('a', " Birds of the north ");
  f->AddSubfield('c', "edited by the society");
  f = rec.AddField("650", ' ', '7');
  f->AddSubfield('a', "Birds");
  f->AddSubfield('2', "sao");
}

const std::string kSep = "\r\n^\r\n";
const std::string kExample = "*00000000nam  2200000 a 4500\r\n*001A1001\r\n"
                             "*24510$aBirds of the north$cedited by the society\r\n*650 7$aBirds$2sao\r\n";
const std::string kExampleSubfieldLines = "*00000000nam  2200000 a 4500\r\n*001A1001\r\n"
                                          "*24510$aBirds of the north\r\n$cedited by the society\r\n"
                                          "*650 7$aBirds\r\n$2sao";

struct WriteCase {
  const char* name;
  bool subfieldLines;
  bool applyFilter;
  const char* filter;
  std::string expected;
};

TEST(KonvBaseWrite, WritesTheTrimmedRenderingAndTheSeparator) {
  const std::vector<WriteCase> cases = {
      {"plain", false, false, "", kExample + kSep},
      {"subfield lines: no empty line before ^", true, false, "", kExampleSubfieldLines + kSep},
      {"filter on", false, true, "245",
       "*00000000nam  2200000 a 4500\r\n*001A1001\r\n*650 7$aBirds$2sao\r\n" + kSep},
      {"filter off", false, false, "245", kExample + kSep},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const std::string out = dir.Write("ut.mrc", "older and longer content of the file");
    {
      TWriter konv(out);
      konv.SubfieldLines = c.subfieldLines;
      konv.OutRecord.SetFilter(c.filter);
      konv.OutRecord.ApplyFilter = c.applyFilter;
      AddExampleRecord(konv.OutRecord);
      konv.WriteRecord();
      EXPECT_EQ(konv.WrittenRecords, 1) << c.name;
    }
    EXPECT_EQ(ReadAll(out), c.expected) << c.name;
  }
}

TEST(KonvBaseWrite, DuplicateLinesGoAndAnEmptyRecordStillWritesTheSeparator) {
  TempDir dir;
  const std::string out = dir.File("ut.mrc");
  TWriter konv(out);
  konv.RemoveDuplicateLines = true;
  for (const char* text : {"Birds", "BIRDS"})
    konv.OutRecord.AddField("650", ' ', '7')->AddSubfield('a', text);
  konv.WriteRecord();
  konv.OutRecord.Clear();
  konv.WriteRecord();
  konv.CloseOutput();
  EXPECT_EQ(ReadAll(out), "*650 7$aBirds\r\n" + kSep + kSep);
  EXPECT_EQ(konv.WrittenRecords, 2);
}

TEST(KonvBaseWrite, SideFileAndRenderingMatchTheOutputFile) {
  TempDir dir;
  const std::string out = dir.File("ut.mrc"), side = dir.File("periodika.mrc");
  {
    TWriter konv(out);
    konv.SubfieldLines = true;
    TSideFile& periodicals = konv.OpenSideFile(side, PeriodicalsRole);
    AddExampleRecord(konv.OutRecord);
    EXPECT_EQ(konv.RenderOutRecord(), kExampleSubfieldLines);
    konv.WriteRenderedTo(periodicals);
    konv.WriteRecord();
    EXPECT_EQ(konv.WrittenRecords, 1);
    EXPECT_EQ(periodicals.Records, 1);
  }
  EXPECT_EQ(ReadAll(side), kExampleSubfieldLines + kSep);
  EXPECT_EQ(ReadAll(out), ReadAll(side));
}

TEST(KonvBaseWrite, OutputThatCannotBeCreatedRaisesAtConstruction) {
  TempDir dir;
  const std::string out = dir.File("ingen/mapp/ut.mrc");
  try {
    TWriter konv(out);
    FAIL() << "no exception";
  } catch (const MarcError& e) {
    EXPECT_EQ(std::string(e.what()), "Kan inte skapa utfilen " + out);
  }
}

TEST(KonvBaseWrite, FailedWriteRaisesWhenTheBlockGoesOutAndEveryFileIsClosed) {
  TWriter withoutFile;
  EXPECT_THROW(withoutFile.WriteRecord(), MarcError);
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "/dev/full saknas";
  TempDir dir;
  TWriter konv("/dev/full");
  TSideFile& periodicals = konv.OpenSideFile(dir.File("periodika.mrc"), PeriodicalsRole);
  AddExampleRecord(konv.OutRecord);
  konv.WriteRecord();
  konv.WriteRecord();
  konv.WriteRenderedTo(periodicals);
  try {
    konv.CloseOutput();
    FAIL() << "no exception";
  } catch (const MarcError& e) {
    EXPECT_EQ(std::string(e.what()), "Kan inte skriva till utfilen /dev/full");
  }
  EXPECT_EQ(konv.WrittenRecords, 0);
  EXPECT_EQ(konv.DroppedRecords, 2); // the records are in no file
  EXPECT_EQ(ReadAll(dir.File("periodika.mrc")), kExample + kSep);
  EXPECT_EQ(periodicals.Records, 1);
}

TEST(KonvBaseWrite, RunCountsNameTheOutputAndTheDropped) {
  TempDir dir;
  TWriter konv(dir.File("ut.mrc"));
  konv.WriteRecord();
  konv.WriteRecord();
  konv.DroppedRecords = 1;
  const auto counts = konv.RunCounts();
  ASSERT_EQ(counts.size(), 2u);
  EXPECT_EQ(counts[0].Label, "Utfil");
  EXPECT_EQ(counts[0].FileName, dir.File("ut.mrc"));
  EXPECT_EQ(counts[0].Count, 2);
  EXPECT_EQ(counts[1].Label, "Ej skrivna");
  EXPECT_EQ(counts[1].FileName, "");
  EXPECT_EQ(counts[1].Count, 1);
}

using testing::ScopedSourceDate;

TEST(KonvBaseStamp, AddsTextAndDateUnlessTheTextIsBlank) {
  const ScopedSourceDate date("1078488000"); // 2004-03-05 12:00 UTC
  TWriter konv;
  konv.AddStampField("BatSorM21", "976");
  konv.AddStampField(" \t", "522");
  EXPECT_EQ(konv.RenderOutRecord(), "*97600$aBatSorM21$b2004-03-05\r\n*52200$b2004-03-05\r\n");
}

// One 245 $a (and $c) for each value; returns the values after the clean-up.
std::vector<std::string> CleanUp245(const std::vector<std::string>& values, const std::string& codes) {
  TWriter konv;
  for (const auto& v : values) {
    TMarcField* f = konv.OutRecord.AddField("245");
    f->AddSubfield('a', v);
    f->AddSubfield('c', v);
  }
  std::vector<std::string> tags(codes.size(), "245");
  konv.CleanUpWithRegEx("\\w\\.$", "\\.$", tags, codes);
  std::vector<std::string> result;
  for (const auto& f : konv.OutRecord.Fields)
    for (const auto& s : f->Subfields)
      result.push_back(std::string(1, s->Code) + s->Value);
  return result;
}

TEST(KonvBaseCleanUp, RemovesTheInnerMatchInsideTheOuterMatch) {
  EXPECT_EQ(CleanUp245({"Birds of the north.", "Birds of the north .", "A.b.", "Gr\xe5.", "Title"}, "a"),
            (std::vector<std::string>{"aBirds of the north", "cBirds of the north.", "aBirds of the north .",
                                      "cBirds of the north .", "aA.b", "cA.b.", "aGr\xe5", "cGr\xe5.",
                                      "aTitle", "cTitle"}));
  EXPECT_EQ(CleanUp245({"One.", "Two."}, "ca"), (std::vector<std::string>{"aOne", "cOne", "aTwo", "cTwo"}));
}

TEST(KonvBaseCleanUp, DifferentLengthsRaiseAndChangeNothing) {
  TWriter konv;
  konv.OutRecord.AddField("245")->AddSubfield('a', "Title.");
  try {
    konv.CleanUpWithRegEx("\\w\\.$", "\\.$", {"245", "246", "247"}, "aa");
    FAIL() << "no exception";
  } catch (const MarcError& e) {
    EXPECT_EQ(std::string(e.what()), "CleanUpWithRegEx anropat med felaktigt antal parametrar");
  }
  EXPECT_EQ(konv.OutRecord.SubfieldValue("245", 'a'), "Title.");
}

TEST(KonvBaseCleanUp, RangeVisitsEveryPaddedTagBetweenTheBounds) {
  struct Case {
    const char* from;
    const char* to;
    std::vector<std::string> cleaned;
  };
  const std::vector<std::string> tags = {"007", "7", "010", "764", "765", "770", "787", "788"};
  const std::vector<Case> cases = {
      {"765", "787", {"765", "770", "787"}},
      {"5", "10", {"007", "010"}},
      {"x76", "787", {}},
      {"765", "", {}},
  };
  for (const auto& c : cases) {
    TWriter konv;
    for (const auto& tag : tags)
      konv.OutRecord.AddField(tag)->AddSubfield('z', "ISBN  91-7");
    konv.CleanUpWithRegExRange("^ISBN {0,}", "^ISBN {0,}", c.from, c.to, 'z');
    std::vector<std::string> cleaned;
    for (const auto& f : konv.OutRecord.Fields)
      if (f->Subfields[0]->Value == "91-7") cleaned.push_back(f->Tag);
    EXPECT_EQ(cleaned, c.cleaned) << c.from << ".." << c.to;
  }
}

} // namespace
} // namespace kelvo
