#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>

#include "profiles/sorvia_dialect/DialectFixture.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {
namespace {

using testing::DialectRun;

// length blanks with the given texts laid over them at 0-based positions.
std::string Laid(std::size_t length, std::initializer_list<std::pair<std::size_t, std::string_view>> parts) {
  std::string s(length, ' ');
  for (const auto& [pos, text] : parts)
    s.replace(pos, text.size(), text);
  return s;
}

struct TCase {
  const char* Name;
  const char* Leader; // nullptr: no leader
  std::string F008;   // empty: no 008
  std::string OutLeader;
  std::string Out008;
};

void PrintTo(const TCase& c, std::ostream* os) { *os << c.Name; }

class Leader008Test : public ::testing::TestWithParam<TCase> {};

TEST_P(Leader008Test, BuildsLeaderAnd008) {
  const TCase& c = GetParam();
  DialectRun run;
  TMrc21ToMrcKv& kv = run.WithSource("");
  if (c.Leader != nullptr) kv.SourceRecord.AddControlField("000", c.Leader);
  if (!c.F008.empty()) kv.SourceRecord.AddControlField("008", c.F008);
  kv.ConvertFields();
  ASSERT_EQ(kv.OutRecord.FieldCount(), 2);
  EXPECT_EQ(kv.OutRecord.FieldAt(0).Tag, "000");
  EXPECT_EQ(kv.OutRecord.FieldAt(0).Data, c.OutLeader);
  EXPECT_EQ(kv.OutRecord.FieldAt(1).Tag, "008");
  EXPECT_EQ(kv.OutRecord.FieldAt(1).Data, c.Out008);
}

const TCase Cases[] = {
    {"Book", "00000nam a2200000 a 4500",
     Laid(40, {{0, "850101s1985    sw a   "}, {29, "000"}, {33, "1"}, {35, "swe"}}),
     Laid(24, {{1, "a"}, {3, "a"}, {16, "m"}}),
     // 18-21 are not kept for books; audience, government publication and
     // biography get their dialect codes.
     Trim(Laid(40, {{0, "850101s1985    sw "}, {22, "a"}, {28, "a000"}, {33, "10swe"}}))},
    {"BookWithout008", "00000nam a2200000 a 4500", "", Laid(24, {{1, "a"}, {3, "a"}, {16, "m"}}),
     Trim(Laid(40, {{22, "a"}, {28, "a"}, {34, "0"}}))},
    {"NeitherLeaderNor008", nullptr, "", Laid(24, {{16, "m"}}), ""},
    {"PeriodicalSerial", "00000nas a2200000 a 4500",
     Laid(40, {{0, "990101c19859999sw mr p"}, {29, "0"}, {33, "d0swe"}, {39, "c"}}),
     Laid(24, {{1, "a"}, {3, "g"}, {16, "m"}}),
     // frequency "mr" gives "m" alone; 008/33 moves to 38 and is mapped into 33.
     Trim(Laid(40, {{0, "990101x19859999sw m"}, {21, "p"}, {28, "a0"}, {33, "1"}, {35, "swe"}, {38, "d"}}))},
    {"MonographicSeries", "00000nas a2200000 a 4500", Laid(40, {{0, "990101d19852000sw  x m"}}),
     Laid(24, {{1, "a"}, {3, "f"}, {16, "m"}}),
     Trim(Laid(40, {{0, "990101o19852000sw k"}, {21, "m"}, {28, "a"}, {34, "0"}}))},
    {"MusicScore", "00000ccm a22000007a 4500",
     Laid(40, {{0, "010101r20012000gw syz"}, {28, "oxyz"}, {33, "jbger"}}),
     Laid(24, {{1, "c"}, {3, "a"}, {16, "b"}}),
     Trim(Laid(40, {{0, "010101r20012000gw "}, {22, "a"}, {28, "oxyz"}, {33, "11ger"}}))},
    {"ProjectedMedium", "00000ngm a2200000 a 4500",
     Laid(40, {{0, "020202e2002    sw 120"}, {22, "c"}, {28, "fv"}, {33, "vl"}, {35, "swe"}}),
     Laid(24, {{1, "g"}, {3, "a"}, {16, "m"}}),
     // a detailed date (e) becomes blank; running time is kept.
     Trim(Laid(40, {{0, "020202 2002    sw 12"}, {22, "j"}, {29, "v"}, {35, "swe"}}))},
    {"BlankDateEnteredShiftsLeft", "00000nam a2200000 a 4500", Laid(40, {{6, "s1999"}, {35, "swe"}}),
     Laid(24, {{1, "a"}, {3, "a"}, {16, "m"}}),
     Trim(Laid(40, {{6, "s1999"}, {22, "a"}, {28, "a"}, {34, "0swe"}}))},
    {"RecodedTypeAndLevels", "00000ntm a22000003a 4500", "", Laid(24, {{1, "b"}, {3, "a"}, {16, "n"}}),
     Trim(Laid(40, {{28, "a"}, {34, "0"}}))},
    {"ComponentPartAndOtherEncoding", "00000npa a22000008a 4500", "",
     Laid(24, {{1, "o"}, {3, "c"}, {16, "c"}}), ""},
    {"UnsettledLevelAndKeptCodes", "00000nkb a2200000za 4500", "", Laid(24, {{1, "k"}, {16, "z"}}),
     Trim(Laid(40, {{22, "a"}, {28, "a"}}))},
};

INSTANTIATE_TEST_SUITE_P(Dialect, Leader008Test, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<TCase>& info) { return info.param.Name; });

TEST(Leader008, FrequencyCodesOfSerials) {
  const std::pair<const char*, char> rows[] = {{"  ", ' '}, {" x", 'k'}, {"ar", 'a'},
                                               {"qr", 'q'}, {"zr", 'z'}, {"uu", 'u'},
                                               {"a ", ' '}, {"xx", ' '}, {"rm", ' '}};
  for (const auto& [code, result] : rows) {
    DialectRun run;
    TMrc21ToMrcKv& kv = run.WithSource("");
    kv.SourceRecord.AddControlField("000", "00000nas a2200000 a 4500");
    kv.SourceRecord.AddControlField("008", Laid(40, {{0, "000000"}, {18, code}}));
    kv.ConvertFields();
    EXPECT_EQ(kv.OutRecord.FieldAt(1).Data.at(18), result) << "008/18-19 \"" << code << "\"";
    EXPECT_EQ(kv.OutRecord.FieldAt(1).Data.at(19), ' ') << code;
  }
}

} // namespace
} // namespace kelvo::sorvia_dialect
