#include "record/Iso2709.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "record/MarcRec.h"

namespace kelvo {
namespace {

constexpr char FT = '\x1e';
constexpr char SD = '\x1f';
const std::string kLeader = "00000nam a2200000 a 4500";

std::string Entry(std::string_view tag, int length, int start) {
  char buf[24]; // room for any two ints, which is what the compiler checks against
  std::snprintf(buf, sizeof buf, "%04d%05d", length, start);
  return std::string(tag) + buf;
}

// A well-formed record text (no record terminator): the directory matches the
// fields, each field ends with a field terminator.
std::string IsoRecord(const std::vector<std::pair<std::string, std::string>>& fields,
                      const std::string& leader = kLeader) {
  std::string directory, data;
  for (const auto& [tag, content] : fields) {
    directory += Entry(tag, static_cast<int>(content.size()) + 1, static_cast<int>(data.size()));
    data += content + FT;
  }
  return leader + directory + FT + data;
}

// tag|ind1|ind2|code=value... or tag=data, one string per field, for compact expectations.
std::vector<std::string> Describe(const TMarcRec& rec) {
  std::vector<std::string> out;
  for (const auto& f : rec.Fields) {
    std::string s = f->Tag;
    if (!f->IsDataField) {
      s += "=" + f->Data;
    } else {
      s += std::string("|") + f->Ind1 + f->Ind2;
      for (const auto& sf : f->Subfields)
        s += std::string("|") + sf->Code + "=" + sf->Value;
    }
    out.push_back(s);
  }
  return out;
}

std::vector<std::string> Build(std::string_view text) {
  TIso2709 reader;
  TMarcRec rec;
  BuildRecordFromIso(reader, text, rec);
  return Describe(rec);
}

using Fields = std::vector<std::string>;

std::string LeaderWithFt() {
  std::string leader = kLeader;
  leader[5] = FT;
  return leader;
}

// ---------------------------------------------------------------------------
// Layout of a record text

TEST(Iso2709Layout, WellFormedRecord) {
  const std::string text = IsoRecord({{"001", "A1"},
                                      {"245", "10\x1f"
                                              "aTitel"}});
  TIso2709 r;
  r.SetRecord(text);
  EXPECT_EQ(r.Leader(), kLeader);
  EXPECT_EQ(r.Directory(), Entry("001", 3, 0) + Entry("245", 10, 3));
  EXPECT_EQ(r.DataStart(), 24 + 24 + 2);
  EXPECT_EQ(r.FieldCount(), 2);
  EXPECT_EQ(r.GetField(0).Tag, "001");
  EXPECT_EQ(r.GetField(0).Data, "A1");
  EXPECT_TRUE(r.GetField(0).IsControl);
  const TIsoFldClass& f = r.GetField(1);
  EXPECT_EQ(f.Tag, "245");
  EXPECT_EQ(f.Data, "10\x1f"
                    "aTitel");
  EXPECT_FALSE(f.IsControl);
  // One object, refilled on every call.
  EXPECT_EQ(&r.GetField(0), &r.GetField(1));
}

struct LayoutCase {
  const char* name;
  std::string text;
  std::string leader;
  std::string directory;
  int dataStart;
  int fieldCount;
};

class Iso2709Shapes : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(Iso2709Shapes, LeaderDirectoryDataStart) {
  const LayoutCase& c = GetParam();
  TIso2709 r;
  r.SetRecord(c.text);
  EXPECT_EQ(r.Leader(), c.leader);
  EXPECT_EQ(r.Directory(), c.directory);
  EXPECT_EQ(r.DataStart(), c.dataStart);
  EXPECT_EQ(r.FieldCount(), c.fieldCount);
  // Whatever the shape, reading every entry and one past the end stays inside the text.
  for (int i = -1; i <= c.fieldCount; ++i)
    r.GetField(i);
  EXPECT_TRUE(r.GetField(c.fieldCount).Data.empty());
  EXPECT_TRUE(r.GetField(-1).Tag.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, Iso2709Shapes,
    ::testing::Values(
        LayoutCase{"Empty", "", "", "", -1, 0}, LayoutCase{"Blank", " \r\n", " \r\n", "", -1, 0},
        LayoutCase{"NoFieldTerminator", kLeader + "001000300000", kLeader, "", 26, 0},
        LayoutCase{"ShorterThanLeader", "00012nam", "00012nam", "", 26, 0},
        LayoutCase{"TerminatorInsideLeader", LeaderWithFt() + "001000300000" + FT + "A" + FT, LeaderWithFt(),
                   "", 26, 0},
        LayoutCase{"LeaderAndTerminatorOnly", kLeader + FT, kLeader, "", 26, 0},
        // 12 + 5 characters: the incomplete entry is not an entry.
        LayoutCase{"TruncatedDirectory", kLeader + "001000300000" + "24500" + FT + "A" + FT, kLeader,
                   "00100030000024500", 43, 1},
        // The base address (leader/12-16) says 99999; the data area still follows the directory.
        LayoutCase{"BaseAddressIgnored",
                   "00000nam a2299999 a 4500"
                   "001000300000" +
                       std::string(1, FT) + "A1" + FT,
                   "00000nam a2299999 a 4500", "001000300000", 38, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Directory entries, sound and damaged

struct EntryCase {
  const char* name;
  std::string entry; // 12 characters
  std::string tag;
  std::string data;
};

class Iso2709Entries : public ::testing::TestWithParam<EntryCase> {};

// Data area of the records below: "abc" FT "def" FT "ghi" FT (12 bytes).
TEST_P(Iso2709Entries, ReadsOnlyBytesOfTheRecord) {
  const EntryCase& c = GetParam();
  const std::string text = kLeader + c.entry + FT + "abc" + FT + "def" + FT + "ghi" + FT;
  TIso2709 r;
  r.SetRecord(text);
  ASSERT_EQ(r.FieldCount(), 1);
  const TIsoFldClass& f = r.GetField(0);
  EXPECT_EQ(f.Tag, c.tag);
  EXPECT_EQ(f.Data, c.data);
  EXPECT_EQ(f.IsControl, c.data.find(SD) == std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, Iso2709Entries,
    ::testing::Values(EntryCase{"Sound", "001000400004", "001", "def"},
                      EntryCase{"LengthOne", "001000100004", "001", ""},
                      EntryCase{"LengthZero", "001000000004", "001", ""},
                      // A length that misses the terminator takes it and the next field's start.
                      EntryCase{"LengthTooLong", "001000600004", "001", "def\x1eg"},
                      EntryCase{"LengthPastEnd", "001999900004", "001", "def\x1eghi\x1e"},
                      EntryCase{"StartPastEnd", "001000400012", "001", ""},
                      EntryCase{"StartFarPastEnd", "001999999999", "001", ""},
                      EntryCase{"LastByte", "001000500011", "001", "\x1e"},
                      EntryCase{"LengthNotDigits", "001abcd00004", "001", ""},
                      EntryCase{"StartNotDigits", "0010004x0004", "001", "abc"},
                      EntryCase{"NegativeStart", "0010004-0001", "001", "abc"},
                      EntryCase{"NegativeLength", "001-00200004", "001", ""},
                      EntryCase{"LeadingBlanks", "001   4    4", "001", "def"},
                      EntryCase{"TrailingBlank", "0014   00004", "001", ""},
                      EntryCase{"AnyTag",
                                "\x1f"
                                "a 000400004",
                                "\x1f"
                                "a ",
                                "def"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Indicators and subfields of one field

TEST(Iso2709Field, Indicators) {
  struct Case {
    std::string data;
    char ind1, ind2;
  } cases[] = {
      {"10\x1f"
       "aX",
       '1', '0'},
      {"\x1f"
       "aX",
       SD, 'a'},          // first delimiter at position 1
      {"\x1f", ' ', ' '}, // shorter than two characters
      {"", ' ', ' '},
      {"7", ' ', ' '},
  };
  for (const auto& c : cases) {
    TIsoFldClass f;
    f.Data = c.data;
    EXPECT_EQ(f.Indicator(1), c.ind1) << c.data;
    EXPECT_EQ(f.Indicator(2), c.ind2) << c.data;
  }
  TIsoFldClass f;
  f.Data = "12";
  f.BlankIndicator = '#';
  EXPECT_EQ(f.Indicator(3), '#');
  f.Data = "1";
  EXPECT_EQ(f.Indicator(1), '#');
}

TEST(Iso2709Field, Subfields) {
  struct Case {
    std::string data;
    int n;
    char code;
    std::string value;
  } cases[] = {
      {"10\x1f"
       "aEtt\x1f"
       "bTv\xe5 ",
       1, 'a', "Ett"},
      {"10\x1f"
       "aEtt\x1f"
       "bTv\xe5 ",
       2, 'b', "Tv\xe5 "}, // taken unchanged
      {"10\x1f"
       "aEtt",
       2, '\0', ""},
      {"10\x1f"
       "aEtt",
       0, '\0', ""},
      {"10\x1f"
       "aEtt",
       -1, '\0', ""},
      {"10\x1f", 1, '\x01', ""}, // delimiter at the end: code 1
      {"10\x1f"
       "a",
       1, 'a', ""}, // code alone
      {"10\x1f\x1f"
       "xy",
       1, SD, "xy"}, // a delimiter right after a delimiter is the code
      {"10\x1f\x1f"
       "xy",
       2, 'x', "y"}, // and is also counted as the next delimiter
      {"no delimiter", 1, '\0', ""},
  };
  for (const auto& c : cases) {
    TIsoFldClass f;
    f.Data = c.data;
    char code = 'z';
    std::string value = "old";
    f.Subfield(c.n, code, value);
    EXPECT_EQ(code, c.code) << c.data << " #" << c.n;
    EXPECT_EQ(value, c.value) << c.data << " #" << c.n;
  }
  TIsoFldClass f;
  f.Data = "10\x1f\x1f"
           "xy\x1f";
  EXPECT_EQ(f.SubfieldCount(), 3);
}

// ---------------------------------------------------------------------------
// Building a record

TEST(Iso2709Build, ControlAndDataFields) {
  EXPECT_EQ(Build(IsoRecord({{"001", "A1"},
                             {"245", "10\x1f"
                                     "aTitel /\x1f"
                                     "c av N.N. "},
                             {"008", ""}})),
            (Fields{"000=" + kLeader, "001=A1", "008=", "245|10|a=Titel /|c= av N.N. "}));
}

TEST(Iso2709Build, ControlFieldWhateverItsTag) {
  // No delimiter: a control field even with a data field's tag; a 00X tag with
  // a delimiter is a data field.
  EXPECT_EQ(Build(IsoRecord({{"245", "10 Titel"},
                             {"005", "  \x1f"
                                     "a1"}})),
            (Fields{"000=" + kLeader, "005|  |a=1", "245=10 Titel"}));
}

TEST(Iso2709Build, IndicatorEdgeCases) {
  EXPECT_EQ(Build(IsoRecord({{"500", "\x1f"
                                     "aNot"},
                             {"650", "\x1f"}})),
            (Fields{"000=" + kLeader,
                    "500|\x1f"
                    "a|a=Not",
                    "650|  |\x01="}));
}

TEST(Iso2709Build, EntryOfLengthOneIsEmptyControlField) {
  const std::string text = kLeader + Entry("245", 1, 0) + FT + FT;
  EXPECT_EQ(Build(text), (Fields{"000=" + kLeader, "245="}));
}

TEST(Iso2709Build, DirectoryOrderIsSortedByTagLeaderFirst) {
  const std::string text = IsoRecord({{"650", " 7\x1f"
                                              "aF\xe5glar"},
                                      {"245", "10\x1f"
                                              "aX"},
                                      {"100", "1 \x1f"
                                              "aN.N."},
                                      {"001", "A1"}});
  EXPECT_EQ(Build(text),
            (Fields{"000=" + kLeader, "001=A1", "100|1 |a=N.N.", "245|10|a=X", "650| 7|a=F\xe5glar"}));
}

TEST(Iso2709Build, AdjacentEqualTagsKeepTheirOrder) {
  const std::string text = IsoRecord({{"700", "1 \x1f"
                                              "aB"},
                                      {"700", "1 \x1f"
                                              "aA"},
                                      {"100", "1 \x1f"
                                              "aC"}});
  EXPECT_EQ(Build(text), (Fields{"000=" + kLeader, "100|1 |a=C", "700|1 |a=B", "700|1 |a=A"}));
}

TEST(Iso2709Build, WithoutFieldTerminatorOnlyTheLeader) {
  EXPECT_EQ(Build("00026nam a2200000 a 4500XX"), (Fields{"000=00026nam a2200000 a 4500"}));
  EXPECT_EQ(Build(""), (Fields{"000="}));
  EXPECT_EQ(Build("0001"), (Fields{"000=0001"}));
}

TEST(Iso2709Build, BytesBeforeTheLeaderShiftEveryPosition) {
  // A CR LF left after the previous record terminator is not skipped: the
  // leader takes it, and the directory window starts two bytes early.
  const std::string text = "\r\n" + IsoRecord({{"001", "A1"},
                                               {"245", "10\x1f"
                                                       "aX"}});
  TIso2709 r;
  r.SetRecord(text);
  EXPECT_EQ(r.Leader(), "\r\n" + kLeader.substr(0, 22));
  // The window is "00" (end of the leader) + the real directory: 26 characters,
  // so two entries, "000010003000" and "002450006000", both past the end.
  ASSERT_EQ(r.FieldCount(), 2);
  EXPECT_EQ(r.GetField(0).Tag, "000");
  EXPECT_EQ(r.GetField(0).Data, "");
  EXPECT_EQ(r.GetField(1).Tag, "002");
  EXPECT_EQ(r.GetField(1).Data, "");
  // Two fields tagged 000 that are not adjacent may come out in either order.
  Fields built = Build(text);
  std::sort(built.begin(), built.end());
  EXPECT_EQ(built, (Fields{"000=", "000=" + r.Leader(), "002="}));
}

TEST(Iso2709Build, RecordAndQueueAreClearedFirst) {
  TIso2709 reader;
  TMarcRec rec;
  rec.AddControlField("999", "old");
  rec.AddCouple('x', "stray");
  BuildRecordFromIso(reader,
                     IsoRecord({{"500", "  \x1f"
                                        "aNot"}}),
                     rec);
  EXPECT_EQ(Describe(rec), (Fields{"000=" + kLeader, "500|  |a=Not"}));
  EXPECT_EQ(rec.Couples.Count(), 0);
}

TEST(Iso2709Build, ReusedReaderHoldsNothingOfThePreviousRecord) {
  TIso2709 reader;
  TMarcRec rec;
  BuildRecordFromIso(reader,
                     IsoRecord({{"001", "A1"},
                                {"245", "10\x1f"
                                        "aLang titel"}}),
                     rec);
  BuildRecordFromIso(reader, "00000nam", rec);
  EXPECT_EQ(Describe(rec), (Fields{"000=00000nam"}));
  EXPECT_EQ(reader.FieldCount(), 0);
}

TEST(Iso2709Build, OtherTerminatorAndDelimiter) {
  TIso2709 reader;
  reader.FieldTerminator = '#';
  reader.SubfieldDelimiter = '$';
  TMarcRec rec;
  BuildRecordFromIso(reader, kLeader + Entry("245", 6, 0) + "#10$aX#", rec);
  EXPECT_EQ(Describe(rec), (Fields{"000=" + kLeader, "245|10|a=X"}));
}

} // namespace
} // namespace kelvo
