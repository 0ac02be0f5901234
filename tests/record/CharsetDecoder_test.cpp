// The character-set step: which records are decoded, what their values
// become in code page 1252, what is counted, and the summary's lines.
#include "record/CharsetDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "record/LatinForm.h"
#include "record/MarcRec.h"

namespace kelvo {
namespace {

// A record with leader/09 as given, an 001 and the values as the subfields
// a, b, ... of one 245.
void FillRecord(TMarcRec& rec, char leader09, const std::vector<std::string>& values, std::string id = "") {
  rec.Clear();
  std::string leader = "00000nam  2200000   4500";
  leader[9] = leader09;
  rec.AddControlField("000", leader);
  if (!id.empty()) rec.AddControlField("001", id);
  TMarcField* field = rec.AddField("245", '1', '0');
  char code = 'a';
  for (const std::string& value : values)
    field->AddSubfield(code++, value);
}

std::vector<std::string> Values(const TMarcRec& rec) {
  std::vector<std::string> values;
  for (const auto& sub : rec.FindFieldPtr("245")->Subfields)
    values.push_back(sub->Value);
  return values;
}

struct TDecodeCase {
  const char* Name;
  TCharset Charset;
  char Leader09;
  std::vector<std::string> Values;
  std::vector<std::string> Expected;
  int Utf8, Marc8, Invalid, Replaced;
};

const TDecodeCase DecodeCases[] = {
    {"Utf8SaidInTheLeader",
     TCharset::Auto,
     'a',
     {"Sm\xc3\xa5 visor", "G\xc3\xb6teborg"},
     {"Sm\xe5 visor", "G\xf6teborg"},
     1,
     0,
     0,
     0},
    {"Utf8WithABlankLeader", TCharset::Auto, ' ', {"Sm\xc3\xa5 visor"}, {"Sm\xe5 visor"}, 1, 0, 0, 0},
    {"Cp1252SaidToBeUtf8IsKeptAndCounted",
     TCharset::Auto,
     'a',
     {"Sm\xe5 visor", "\xc3\xa5"},
     {"Sm\xe5 visor", "\xc3\xa5"},
     0,
     0,
     1,
     0},
    {"Cp1252WithABlankLeader", TCharset::Auto, ' ', {"Sm\xe5 visor"}, {"Sm\xe5 visor"}, 0, 0, 0, 0},
    {"AsciiNeedsNothing", TCharset::Auto, 'a', {"Visor"}, {"Visor"}, 0, 0, 0, 0},
    {"OverlongFormIsNotUtf8", TCharset::Auto, 'a', {"a\xc0\xaf"}, {"a\xc0\xaf"}, 0, 0, 1, 0},
    {"FiveByteFormIsNotUtf8",
     TCharset::Auto,
     'a',
     {"\xf8\xbf\xbf\xbf\xb9"},
     {"\xf8\xbf\xbf\xbf\xb9"},
     0,
     0,
     1,
     0},
    {"DecomposedBecomesComposed", TCharset::Auto, 'a', {"Scho\xcc\x88nberg"}, {"Sch\xf6nberg"}, 1, 0, 0, 0},
    {"LatinFallback",
     TCharset::Auto,
     'a',
     {"\xc5\x81\xc3\xb3"
      "d\xc5\xba",
      "I\xc5\x9fik"},
     {"L\xf3"
      "dz",
      "Isik"},
     1,
     0,
     0,
     3},
    {"DashesAndQuotesOfTheCodePageStay",
     TCharset::Auto,
     'a',
     {"1914\xe2\x80\x93"
      "18 \xe2\x80\x9cx\xe2\x80\x9d"},
     {"1914\x96"
      "18 \x93x\x94"},
     1,
     0,
     0,
     0},
    {"LatinFormInTheCodePageIsKept", TCharset::Auto, 'a', {"\xd0\x96"}, {"\x8e"}, 1, 0, 0, 1},
    // Replaced at once, then met again when a later mark sends the value through normalisation.
    {"ReplacedBeforeACombiningMarkCountsOnce",
     TCharset::Auto,
     'a',
     {"\xd0\x96"
      "e\xcc\x81"},
     {"\x8e\xe9"},
     1,
     0,
     0,
     1},
    {"NoLatinFormIsAQuestionMark", TCharset::Auto, 'a', {"x\xf0\x9f\x98\x80"}, {"x?"}, 1, 0, 0, 1},
    {"ALeftOverCombiningMarkIsLeftOut", TCharset::Auto, 'a', {"q\xcc\x83"}, {"q"}, 1, 0, 0, 1},
    {"ChosenUtf8TakesCp1252AsItIsAndCountsIt", TCharset::Utf8, ' ', {"Sm\xe5"}, {"Sm\xe5"}, 0, 0, 1, 0},
    {"Marc8CombiningMarkBeforeTheLetter",
     TCharset::Marc8,
     ' ',
     {"Caf\xe2"
      "e",
      "K\xe8oln"},
     {"Caf\xe9", "K\xf6ln"},
     0,
     1,
     0,
     0},
    {"Marc8EscapeHoldsToTheEndOfTheField",
     TCharset::Marc8,
     ' ',
     {"\x1b(NAB", "CD"},
     {"ab", "cd"},
     0,
     1,
     0,
     4},
    {"Marc8IsNeverGuessed",
     TCharset::Auto,
     ' ',
     {"Caf\xe2"
      "e"},
     {"Caf\xe2"
      "e"},
     0,
     0,
     0,
     0},
    {"Cp1252ChosenPassesEverything", TCharset::Cp1252, 'a', {"Sm\xc3\xa5"}, {"Sm\xc3\xa5"}, 0, 0, 0, 0},
};

class Decode : public ::testing::TestWithParam<TDecodeCase> {};

TEST_P(Decode, ValuesAndCounts) {
  const TDecodeCase& c = GetParam();
  TCharsetDecoder decoder(c.Charset);
  TMarcRec rec;
  FillRecord(rec, c.Leader09, c.Values);
  const std::string leader = rec.Leader();
  decoder.Decode(rec, 1, rec.AsText()); // the text it was read from
  EXPECT_EQ(Values(rec), c.Expected);
  EXPECT_EQ(rec.Leader(), leader);
  EXPECT_EQ(decoder.Utf8Records, c.Utf8);
  EXPECT_EQ(decoder.Marc8Records, c.Marc8);
  EXPECT_EQ(decoder.InvalidUtf8Records, c.Invalid);
  EXPECT_EQ(decoder.ReplacedChars, c.Replaced);
}

INSTANTIATE_TEST_SUITE_P(Cases, Decode, ::testing::ValuesIn(DecodeCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(CharsetDecoder, TheLeaderIsNeitherJudgedNorChanged) {
  TCharsetDecoder decoder(TCharset::Auto);
  TMarcRec rec;
  FillRecord(rec, 'a', {"Sm\xc3\xa5"});
  rec.FindFieldPtr("000")->Data[22] = '\x92'; // a stray byte of some exports
  decoder.Decode(rec, 1);
  EXPECT_EQ(Values(rec), std::vector<std::string>{"Sm\xe5"});
  EXPECT_EQ(rec.Leader()[22], '\x92');
}

// One decoder over every record, and the workers' way: a decoder that hands
// over its tally after each record, the tallies added up in input order.
TEST(CharsetDecoder, SummaryCountsAndNamesTheFirstExamples) {
  TCharsetDecoder decoder(TCharset::Auto), worker(TCharset::Auto);
  TCharsetTally added;
  TMarcRec rec;
  EXPECT_TRUE(decoder.SummaryLines().empty());
  const std::pair<char, std::vector<std::string>> records[] = {
      {'a', {"\xc5\x82\xc5\x82"}},
      {'a', {"x\xf0\x9f\x98\x80"}},
      {'a', {"\xe5"}},
      {' ', {"\xc3\xa5"}},
      {'a', {"A"}},
      {'a', {"\xc5\x82\xd0\xb6\xd0\xb6"}},
      {'a', {"\xe2\x84\x97\xc5\x82\xc4\x8d\xc5\x91\xd0\xb6"}}};
  int number = 0;
  for (const auto& [leader09, values] : records) {
    ++number;
    FillRecord(rec, leader09, values, number == 2 ? "" : "A" + std::to_string(number));
    decoder.Decode(rec, number);
    FillRecord(rec, leader09, values, number == 2 ? "" : "A" + std::to_string(number));
    worker.Decode(rec, number);
    added.Add(worker.TakeTally());
  }
  const std::vector<std::string> want{
      "Omkodade poster: 5 (UTF-8 5, MARC-8 0)",
      "Tecken som ersatts: 11 i 4 poster",
      "  post 1 (001 A1): U+0142 LATIN SMALL LETTER L WITH STROKE ersattes med \"l\"",
      "  post 2: U+1F600 GRINNING FACE ersattes med \"?\"",
      "  post 6 (001 A6): U+0436 CYRILLIC SMALL LETTER ZHE ersattes med \"\x9e\"",
      "  post 7 (001 A7): U+2117 SOUND RECORDING COPYRIGHT ersattes med \"(P)\"",
      "  post 7 (001 A7): U+010D LATIN SMALL LETTER C WITH CARON ersattes med \"c\"",
      "Ogiltig UTF-8, l\xe4sta som teckentabell 1252: 1 poster",
      "  post 3 (001 A3)",
  };
  EXPECT_EQ(decoder.SummaryLines(), want);
  EXPECT_EQ(added.SummaryLines(), want);
}

// The table made at build time gives what ICU's transliterations give, for
// characters of every plane and script, and holds no character of code page
// 1252 and none for private use.
TEST(CharsetDecoder, LatinFormTableGivesTheTransliteratedForms) {
  TLatinFormMaker maker;
  std::string_view form;
  ASSERT_TRUE(FindLatinForm(U'\u4E2D', form));
  EXPECT_EQ(form, "zhong");
  int compared = 0;
  for (char32_t c = 0x80; c < 0x32400; c += c < 0x10000 ? 47 : 997)
    if (FindLatinForm(c, form)) {
      ++compared;
      EXPECT_EQ(form, maker.Make(c)) << std::hex << static_cast<unsigned>(c);
    }
  EXPECT_GT(compared, 1000);
  for (const char32_t other : {U'A', U'\u00E5', U'\u20AC', U'\uE000', U'\U000F0000'})
    EXPECT_FALSE(FindLatinForm(other, form)) << std::hex << static_cast<unsigned>(other);
}

} // namespace
} // namespace kelvo
