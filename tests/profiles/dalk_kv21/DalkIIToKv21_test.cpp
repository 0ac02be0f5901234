#include "profiles/dalk_kv21/DalkIIToKv21.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "profiles/dalk_kv21/DalkIIOegentlCollect.h"
#include "profiles/dalk_kv21/DalkTranslate.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "profiles/dalk_kv21/dalk_records.h"
#include "support/ConverterRun.h"
#include "support/IsoRecord.h"

namespace kelvo::dalk_kv21 {
namespace {

using testing::DalkHead;
using testing::DalkPart;
using testing::DalkPlain;
using testing::DalkRecord;
using testing::Titles;
using Strings = std::vector<std::string>;

const char* const ImproperTypesXml =
    "<root><oegentligaflerbandsverk><objekttyper><t>KA</t></objekttyper></oegentligaflerbandsverk></root>";

// One conversion pass over input with the improper object type "KA".
class DalkFlowTest : public ::testing::Test {
protected:
  DalkFlowTest() { adaptation_.LoadFromMemory(ImproperTypesXml, "test.xml"); }

  void Run(const std::string& input, const std::function<void(TDalkIIToKv21&)>& setUp = {}) {
    TDalkIIToKv21& konv = run_.Open(input);
    konv.SetLocalAdaptation(adaptation_);
    konv.SeparateProperWorks = true;
    konv.OpenMultiVolumeFile(run_.Dir.File("flerband.txt"));
    if (setUp) setUp(konv);
    run_.RunToEnd();
    written_ = konv.WrittenRecords;
    dropped_ = konv.DroppedRecords;
    multiVolume_ = konv.MultiVolumeRecords();
  }
  std::string Out() const { return run_.Side("out.mrc"); }
  std::string Flerband() const { return run_.Side("flerband.txt"); }

  testing::TConverterRun<TDalkIIToKv21> run_;
  TLocalAdaptation adaptation_;
  std::int64_t written_ = 0, dropped_ = 0, multiVolume_ = 0;
};

TEST_F(DalkFlowTest, PartsOfAnImproperWorkAreSuppressedInBothFiles) {
  Run(DalkHead("1000001", "Huvud") + DalkPart("1000002", "Del 1", "1000001") +
      DalkPart("1000003", "Del 2", "1000001") + DalkPlain("1000004", "Vanlig"));
  EXPECT_EQ(Titles(Out()), (Strings{"Huvud", "Vanlig"}));
  EXPECT_EQ(Flerband(), "");
  EXPECT_EQ(written_, 2);
  EXPECT_EQ(dropped_, 2);
}

TEST_F(DalkFlowTest, ProperWorksGoUnconvertedToTheMultiVolumeFile) {
  const std::string head = DalkHead("2000001", "Egentligt [verk]", "XX");
  const std::string part = DalkPart("2000002", "Band 1", "2000001");
  Run(head + part + DalkPlain("2000003", "Sm}tt"), [](TDalkIIToKv21& k) { k.TranslateDiacritics = true; });
  EXPECT_EQ(Titles(Out()), (Strings{"Sm\xe5tt"}));
  // the vendor's record as read: 001 whole, no translation
  EXPECT_EQ(Flerband(), "*00000000nae  2200000   4500\r\n*001DLK200000100\r\n*24510$aEgentligt [verk]\r\n"
                        "*2600 $aStockholm\r\n*8870 $bxXX\r\n\r\n^\r\n"
                        "*00000000nad  2200000   4500\r\n*001DLK200000200\r\n*24510$aBand 1\r\n"
                        "*8871 $b123456789200000100\r\n\r\n^\r\n");
  EXPECT_EQ(multiVolume_, 2);
}

TEST_F(DalkFlowTest, WhatMakesAHeadProper) {
  struct TCase {
    const char* Why;
    std::string Head;
  };
  const TCase cases[] = {
      {"object type not listed", DalkHead("3000001", "H", "KB")},
      {"no object type", DalkHead("3000001", "H", "")},
      {"260 Ind1 1", DalkHead("3000001", "H", "KA", '1')},
      {"260 Ind1 blank", DalkHead("3000001", "H", "KA", ' ')},
      {"no 260", DalkRecord('g', "3000001", "H", "*8870 $bxKA\r\n")},
  };
  for (const auto& c : cases) {
    Run(c.Head + DalkPart("3000002", "P", "3000001"));
    EXPECT_EQ(Titles(Out()), Strings{}) << c.Why;
    EXPECT_EQ(Titles(Flerband()), (Strings{"H", "P"})) << c.Why;
  }
}

TEST_F(DalkFlowTest, ImproperHeadGoesToTheOutputFile) {
  Run(DalkRecord('g', "4000001", "H", "*2600 $aX\r\n*8870 $bxKA\r\n") + DalkPart("4000002", "P", "4000001"));
  EXPECT_EQ(Titles(Out()), Strings{"H"});
  EXPECT_EQ(Flerband(), "");
}

TEST_F(DalkFlowTest, PartsNotMatchingTheLatestHeadAreOrdinaryRecords) {
  Run(DalkPart("5000001", "F\xf6re", "5000009") + DalkHead("5000009", "Huvud") +
      DalkPart("5000002", "Annan", "5000008") + DalkRecord('i', "5000003", "Utan l\xe4nk"));
  EXPECT_EQ(Titles(Out()), (Strings{"F\xf6re", "Huvud", "Annan", "Utan l\xe4nk"}));
  EXPECT_EQ(Flerband(), "");
}

TEST_F(DalkFlowTest, ProperWorksStayInTheOutputWhenNotSeparated) {
  Run(DalkHead("6000001", "H", "XX") + DalkPart("6000002", "P", "6000001"),
      [](TDalkIIToKv21& k) { k.SeparateProperWorks = false; });
  EXPECT_EQ(Titles(Out()), (Strings{"H", "P"}));
  EXPECT_EQ(Flerband(), "");
}

TEST_F(DalkFlowTest, WithoutConversionEveryRecordIsCopiedSortedAndWritten) {
  const std::string head = DalkHead("7000001", "H");
  Run(head + DalkPart("7000002", "P", "7000001") + DalkRecord('m', "7000003", "", "*500  $aUtan titel\r\n") +
          DalkRecord('m', "7000004", "", "*650  $aB\r\n*295  $aT\r\n*100  $aA\r\n"),
      [](TDalkIIToKv21& k) { k.ConvertToKv2 = false; });
  EXPECT_EQ(Titles(Out()), (Strings{"H", "P", "T"}));               // no classification, nothing diverted
  EXPECT_NE(Out().find("*001DLK700000100\r\n"), std::string::npos); // 001 as it came
  EXPECT_NE(Out().find("*001DLK700000400\r\n*100  $aA\r\n*295  $aT\r\n*650  $aB\r\n"), std::string::npos);
  EXPECT_EQ(dropped_, 1);
}

TEST_F(DalkFlowTest, RunCountsNameEveryDestination) {
  Run(DalkHead("8000001", "Egen", "XX") + DalkHead("8000002", "Oegentlig") +
      DalkPart("8000003", "Del", "8000002") + DalkRecord('m', "8000004", "") + DalkPlain("8000005", "V"));
  ASSERT_EQ(run_.Counts.size(), 3u);
  EXPECT_EQ(run_.Counts[0].FileName, run_.Dir.File("out.mrc"));
  EXPECT_EQ(run_.Counts[0].Count, 2);
  EXPECT_EQ(run_.Counts[1].Label, "Flerbandsverk");
  EXPECT_EQ(run_.Counts[1].FileName, run_.Dir.File("flerband.txt"));
  EXPECT_EQ(run_.Counts[1].Count, 1);
  EXPECT_EQ(run_.Counts[2].Label, "Ej skrivna");
  EXPECT_EQ(run_.Counts[2].FileName, ""); // written nowhere:
  EXPECT_EQ(run_.Counts[2].Count, 2);     // the suppressed part and the record without a title
}

TEST_F(DalkFlowTest, TranslationComesBeforeDuplicateRemovalAndSubfieldLines) {
  Run(DalkRecord('m', "9000001", "Titel", "*500  $a[ngel$bx\r\n*500  $a\xc4ngel$bx\r\n"),
      [](TDalkIIToKv21& k) {
        k.TranslateDiacritics = true;
        k.RemoveDuplicateLines = true;
        k.SubfieldLines = true;
      });
  const std::string out = Out();
  const std::string line = "*500  $a\xc4ngel\r\n$bx\r\n";
  const std::size_t first = out.find(line);
  ASSERT_NE(first, std::string::npos) << out;
  EXPECT_EQ(out.find(line, first + 1), std::string::npos) << out;
  EXPECT_EQ(out.find("[ngel"), std::string::npos) << out;
  EXPECT_TRUE(out.ends_with("\r\n^\r\n") && !out.ends_with("\r\n\r\n^\r\n")) << out;
}

TEST_F(DalkFlowTest, VendorDollarInsideValuesOfIsoRecords) {
  run_.Setup.Iso = true;
  const std::string plain = testing::IsoRecord("00000nam a2200000   4500", {{"001", "DLK990000300"},
                                                                            {"245", "10\x1f"
                                                                                    "aCaf$/e $$ [rlig"}});
  const std::string head = testing::IsoRecord("00000nae a2200000   4500", {{"001", "DLK990000400"},
                                                                           {"245", "10\x1f"
                                                                                   "aH$/e"},
                                                                           {"887", "0 \x1f"
                                                                                   "bxXX"}});
  Run(plain + head, [](TDalkIIToKv21& k) { k.TranslateDiacritics = true; });
  EXPECT_EQ(Titles(Out()), Strings{"Caf\xe9  \xc4rlig"});
  // diverted records keep the marker and the vendor's characters
  EXPECT_NE(Flerband().find("*24510$aH\x01/e\r\n"), std::string::npos) << Flerband();

  Run(plain);
  EXPECT_NE(Out().find("*24500$aCaf$/e $$ [rlig\r\n"), std::string::npos) << Out();
}

TEST_F(DalkFlowTest, WithoutTranslationTheVendorCharactersStay) {
  Run(DalkPlain("9000002", "Sm}tt <ljud>"));
  EXPECT_EQ(Titles(Out()), Strings{"Sm}tt <ljud>"});
}

// The $a of every 029 "6" "1" of a record other than the record's own number.
Strings PartNumbers(std::string_view record, std::string_view ownNumber) {
  Strings numbers;
  const std::string_view mark = "*02961$a";
  for (std::size_t pos = 0; (pos = record.find(mark, pos)) != std::string_view::npos; pos += mark.size()) {
    const std::size_t start = pos + mark.size();
    const std::string_view number = record.substr(start, record.find_first_of("$\r\n", start) - start);
    if (number != ownNumber) numbers.emplace_back(number);
  }
  return numbers;
}

// Collect pass, then conversion of the same input with the collected lists.
class DalkTwoPassTest : public DalkFlowTest {
protected:
  void RunTwoPass(const std::string& input) {
    const std::string in = run_.Dir.Write("in.mrc", input);
    {
      TDalkIIOegentlCollect collector(in, false, "^", headIndex_, partLists_);
      do
        collector.ConvertNext();
      while (!collector.EndOfInput);
    }
    Run(input, [this](TDalkIIToKv21& k) {
      k.OnlyImproperHeads = true;
      k.HeadIndex = &headIndex_;
      k.PartLists = &partLists_;
    });
  }

  THeadIndex headIndex_;
  TPartLists partLists_;
};

TEST_F(DalkTwoPassTest, OnlyImproperHeadsAreWrittenWithTheirPartNumbersInInputOrder) {
  RunTwoPass(DalkHead("1100001", "Oegentlig") + DalkPart("1100003", "Del 3", "1100001") +
             DalkPlain("1100009", "Vanlig") + DalkPart("1100002", "Del 2", "1100001") +
             DalkHead("1200001", "Egentlig", "XX") + DalkPart("1200002", "Band", "1200001") +
             DalkHead("1300001", "Oegentlig utan delar"));
  const std::string out = Out();
  EXPECT_EQ(Titles(out), (Strings{"Oegentlig", "Oegentlig utan delar"}));
  const std::size_t second = out.find("^");
  EXPECT_EQ(PartNumbers(out.substr(0, second), "1100001"), (Strings{"1100003", "1100002"})) << out;
  EXPECT_EQ(PartNumbers(out.substr(second), "1300001"), Strings{}) << out;
  EXPECT_EQ(Flerband(), "");
}

TEST_F(DalkTwoPassTest, NoImproperHeadWritesNothing) {
  RunTwoPass(DalkHead("1400001", "Egentlig", "XX") + DalkPart("1400002", "Band", "1400001") +
             DalkPlain("1400003", "Vanlig"));
  EXPECT_EQ(Out(), "");
  EXPECT_EQ(written_, 0);
}

// The copy operations the field rules are built from.
class DalkCopyTest : public DalkFlowTest {
protected:
  // A converter holding one parsed source record.
  void Load(const std::string& record) { run_.Open(record).TMrc2KvBase::ConvertNext(); }
  std::string OutText() { return run_.Kv->OutRecord.AsText(); }
};

TEST_F(DalkCopyTest, CopyFieldsAsAndWhere) {
  Load(DalkRecord('m', "1", "", "*538  $a1\r\n*5381 $a2\r\n*538 7$a3\r\n*53817$a4\r\n"));
  TMarcRec& source = run_.Kv->SourceRecord;
  CopyFieldsWhere(source, run_.Kv->OutRecord, "538", ' ', ' ', "024", '8', '0');
  CopyFieldsWhere(source, run_.Kv->OutRecord, "538", '1', '\0', "028", '5', '\0');
  CopyFieldsWhere(source, run_.Kv->OutRecord, "538", '\0', '\0', "", '\0', '9');
  EXPECT_EQ(OutText(), "*02480$a1\r\n*0285 $a2\r\n*02857$a4\r\n"
                       "*538 9$a1\r\n*53819$a2\r\n*538 9$a3\r\n*53819$a4\r\n");
}

TEST_F(DalkCopyTest, LeaderAnd008) {
  Load(DalkPlain("1", "T"));
  TMarcRec& out = run_.Kv->OutRecord;
  EXPECT_EQ(GetLeaderOr008(out, 0), "");
  SetLeaderOr008(out, 1, "0123");
  SetLeaderOr008(out, 0, "L");
  SetLeaderOr008(out, 1, "4567");
  EXPECT_EQ(GetLeaderOr008(out, 1), "4567");
  EXPECT_EQ(OutText(), "*0084567\r\n*000L\r\n");
  run_.Kv->CopyAllFields();
  EXPECT_EQ(GetLeaderOr008(out, 0), "L"); // the first 000
}

TEST_F(DalkCopyTest, ValuesFrom887And001) {
  struct TCase {
    const char* Fields;
    const char* ObjectType;
    const char* PartLink;
  };
  static constexpr TCase cases[] = {
      {"*8870 $aq\r\n*8870 $b1TA$bxKB\r\n", "TA", ""},
      {"*8871 $aq\r\n*8871 $b123456789ABCDEFGHIJ\r\n", "", ""}, // only the first 887 Ind1 1
      {"*8871 $b123456789ABCDEFGHIJ\r\n", "", "ABCDEFGHI"},
      {"*8871 $b12345678901\r\n*8870 $bT\r\n", "", "01"},
      {"*887  $b1TA\r\n", "", ""},
  };
  for (const auto& c : cases) {
    Load(DalkRecord('m', "1234567", "T", c.Fields));
    EXPECT_EQ(run_.Kv->ObjectType(), c.ObjectType) << c.Fields;
    EXPECT_EQ(run_.Kv->PartLink(), c.PartLink) << c.Fields;
    EXPECT_EQ(run_.Kv->Field001Part(4, 7), "1234567");
  }
}

TEST(DalkLevel, LeaderPosition7) {
  struct TCase {
    const char* Leader;
    TMultiVolumeLevel Level;
  };
  static constexpr TCase cases[] = {
      {"00000nae", TMultiVolumeLevel::Head},  {"00000nag", TMultiVolumeLevel::Head},
      {"00000nad", TMultiVolumeLevel::Part},  {"00000nai", TMultiVolumeLevel::Part},
      {"00000nam", TMultiVolumeLevel::Other}, {"00000na", TMultiVolumeLevel::Other},
  };
  testing::TConverterRun<TDalkIIToKv21> run;
  for (const auto& c : cases) {
    run.Open(std::string("*000") + c.Leader + "\r\n").TMrc2KvBase::ConvertNext();
    EXPECT_EQ(run.Kv->MultiVolumeLevel(), c.Level) << c.Leader;
  }
}

TEST(DalkCollect, NumbersAndKeys) {
  testing::TempDir dir;
  THeadIndex heads;
  TPartLists parts;
  const std::string input = DalkHead("2100001", "H1") + DalkPart("2100002", "P", "2100001") +
                            DalkHead("2200001", "Egentlig", "XX", '1') + DalkHead("", "Utan 001") +
                            DalkPart("", "Del utan 001", "2100001") +
                            DalkRecord('d', "2100004", "Utan l\xe4nk") +
                            DalkHead("2100001", "Samma huvud igen") + DalkPart("2100003", "P", "2100001") +
                            DalkPlain("2300001", "V");
  TDalkIIOegentlCollect collector(dir.Write("in.mrc", input), false, "^", heads, parts);
  std::vector<TMultiVolumeLevel> classes;
  do {
    collector.ConvertNext();
    classes.push_back(collector.RecordClass);
  } while (!collector.EndOfInput);
  // the empty piece after the last separator counts as other
  constexpr auto H = TMultiVolumeLevel::Head, P = TMultiVolumeLevel::Part, O = TMultiVolumeLevel::Other;
  EXPECT_EQ(classes, (std::vector<TMultiVolumeLevel>{H, P, H, H, P, P, H, P, O, O}));
  // only heads whose first 260 has Ind1 "0" and that have a number
  ASSERT_EQ(heads.size(), 1u);
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_EQ(heads.at("2100001"), 0);
  EXPECT_EQ(parts[0], "2100002\x02"
                      "2100003");
}

} // namespace
} // namespace kelvo::dalk_kv21
