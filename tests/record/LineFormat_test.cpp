#include "record/LineFormat.h"

#include <gtest/gtest.h>

#include <string>

#include "record/MarcRec.h"
#include "record/vostr.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

constexpr const char* kSeparator = "\r\n^\r\n";

// The worked example: leader, control field 001, 245 with indicators 1 and 0,
// 650 with indicators blank and 7.
void BuildExample(TMarcRec& rec) {
  rec.SetLeader("00000nam  2200000 a 4500");
  rec.AddControlField("001", "A1001");
  TMarcField* title = rec.AddField("245", '1', '0');
  title->AddSubfield('a', "Birds of the north");
  title->AddSubfield('c', "edited by the society");
  TMarcField* subject = rec.AddField("650", ' ', '7');
  subject->AddSubfield('a', "Birds");
  subject->AddSubfield('2', "sao");
}

const std::string kExampleText = "*00000000nam  2200000 a 4500\r\n"
                                 "*001A1001\r\n"
                                 "*24510$aBirds of the north$cedited by the society\r\n"
                                 "*650 7$aBirds$2sao\r\n";

// Tag, indicators of data fields, data of control fields, then "$code=value" per subfield.
std::string Describe(const TMarcRec& rec) {
  std::string out;
  for (const auto& f : rec.Fields) {
    out += '[' + f->Tag;
    if (f->IsDataField)
      out += std::string("|") + f->Ind1 + f->Ind2;
    else
      out += "|" + f->Data;
    for (const auto& s : f->Subfields)
      out += std::string("$") + s->Code + "=" + s->Value;
    out += ']';
  }
  return out;
}

TEST(LineFormatExampleTests, WorkedExampleBothVariantsByteForByte) {
  TMarcRec rec;
  BuildExample(rec);
  const std::string text = rec.AsText();
  EXPECT_EQ(text + kSeparator, "*00000000nam  2200000 a 4500\r\n"
                               "*001A1001\r\n"
                               "*24510$aBirds of the north$cedited by the society\r\n"
                               "*650 7$aBirds$2sao\r\n"
                               "\r\n"
                               "^\r\n");
  EXPECT_EQ(SubfieldLinesText(text) + kSeparator, "*00000000nam  2200000 a 4500\r\n"
                                                  "*001A1001\r\n"
                                                  "*24510$aBirds of the north\r\n"
                                                  "$cedited by the society\r\n"
                                                  "*650 7$aBirds\r\n"
                                                  "$2sao\r\n"
                                                  "^\r\n");
  EXPECT_EQ(RemoveDuplicateLinesText(text), text);
  std::string out = "previous";
  rec.AppendText(out);
  EXPECT_EQ(out, "previous" + text);
}

TEST(LineFormatExampleTests, WorkedExampleReadsBack) {
  TMarcRec original;
  BuildExample(original);
  TMarcRec rec;
  rec.AddField("999"); // replaced by the parse
  rec.ParseText(kExampleText);
  EXPECT_EQ(Describe(rec), Describe(original));
  EXPECT_EQ(Describe(rec), "[000|00000nam  2200000 a 4500][001|A1001]"
                           "[245|10$a=Birds of the north$c=edited by the society][650| 7$a=Birds$2=sao]");
  // The subfields-on-lines text joins its continuation lines with a blank,
  // which stays at the end of the value until the writer trims it.
  rec.ParseText(SubfieldLinesText(kExampleText));
  EXPECT_EQ(rec.SubfieldValue("245", 'a'), "Birds of the north ");
  rec.TrimSubfields();
  EXPECT_EQ(Describe(rec), Describe(original));
}

TEST(LineFormatParseTests, Oddities) {
  struct Row {
    const char* name;
    const char* text;
    const char* want;
  };
  const Row rows[] = {
      {"trailing blanks of control data go, leading stay", "*008  040101s2004   \r\n*000 leader  ",
       "[008|  040101s2004][000| leader]"},
      {"inner blanks of values stay", "*24510$aTv\xe5  ord $c N.N.", "[245|10$a=Tv\xe5  ord $c= N.N.]"},
      {"no indicators", "*245$aTitel\r\n", "[245|$a$a=Titel]"},
      {"field mark inside content starts a field", "*24510$aA*B title\r\n*001x",
       "[245|10$a=A][B t|itle][001|x]"},
      {"delimiter inside a control field makes a data field", "*001A$1001", "[001|A$$1=001]"},
      {"empty and blank subfields", "*24510$aA$$ $  $c", "[245|10$a=A$c=]"},
      {"continuation lines joined with blanks", "*24510$aEn\r\nl\xe5ng\r\n$ctitel\r\n",
       "[245|10$a=En l\xe5ng $c=titel]"},
      {"lone LF is no line end", "*24510$aA\nB\n$cC\n*001x\n", "[245|10$a=A\nB\n$c=C][001|x]"},
      {"blank text before the first field mark", "\r\n \t*001x", "[001|x]"},
      {"other text before the first field mark", "abc*001x", "[abc|][001|x]"},
      {"short pieces dropped", "ab*00*001x*\r\n", "[001|x]"},
      {"blank text", " \r\n\t", ""},
      {"CR alone stays", "*24510$aA\rB", "[245|10$a=A\rB]"},
  };
  for (const Row& row : rows) {
    TMarcRec rec;
    rec.ParseText(row.text);
    EXPECT_EQ(Describe(rec), row.want) << row.name;
  }
}

TEST(LineFormatRenderTests, FieldsWithoutLines) {
  TMarcRec rec;
  rec.AddField("500", '1', '2');
  TMarcField* gone = rec.AddField("650");
  gone->AddSubfield('a', "x")->Deleted = true;
  rec.AddField("700")->Deleted = true;
  rec.AddControlField("", "");
  EXPECT_EQ(rec.AsText(), "*500\r\n*\r\n");
  rec.FieldMark = ' ';
  EXPECT_EQ(rec.AsText(), " 500\r\n");
}

TEST(DuplicateLineTests, RepeatedLinesGo) {
  struct Row {
    const char* name;
    const char* text;
    const char* want;
  };
  const Row rows[] = {
      {"repeated line", "*001x\r\n*650 7$aBirds$2sao\r\n*650 7$aBirds$2sao\r\n",
       "*001x\r\n*650 7$aBirds$2sao\r\n"},
      {"letter case ignored", "*650 7$aF\xe5glar\r\n*650 7$AF\xc5GLAR\r\n*650 7$aF\xe5glar!\r\n",
       "*650 7$aF\xe5glar\r\n*650 7$aF\xe5glar!\r\n"},
      {"letter case at lengths that end in every part of a hashed word",
       "q\r\nQ\r\nabcdefgh\r\nABCDEFGH\r\nabcdefghi\r\nABCDEFGHI\r\n0123456789abcdef\r\n0123456789ABCDEF\r\n"
       "0123456789abcdefghijklmnopq\r\n0123456789ABCDEFGHIJKLMNOPQ\r\n0123456789abcdefghijklmnopr\r\n",
       "q\r\nabcdefgh\r\nabcdefghi\r\n0123456789abcdef\r\n0123456789abcdefghijklmnopq\r\n"
       "0123456789abcdefghijklmnopr\r\n"},
      {"trailing empty lines dropped, inner empty line kept once", "a\r\n\r\nb\r\n\r\n\r\n \t\r\n",
       "a\r\n\r\nb\r\n"},
      {"CR removed inside lines", "a\rb\r\nab\r\nc", "ab\r\nc\r\n"},
      {"LF-only line ends", "a\nb\na\n", "a\r\nb\r\n"},
      {"blank text", "\r\n \r\n", ""},
      {"trailing blanks count", "a \r\na\r\n", "a \r\na\r\n"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(RemoveDuplicateLinesText(row.text), row.want) << row.name;
}

TEST(DuplicateLineTests, ManyLinesKeepFirstOccurrences) {
  std::string text;
  std::string want;
  for (int i = 0; i < 3000; ++i) {
    const std::string line = "*650 7$a\xe4mne " + std::to_string(i % 1000);
    text += (i < 1000 ? line : UpperCase(line)) + "\r\n";
    if (i < 1000) want += line + "\r\n";
  }
  EXPECT_EQ(RemoveDuplicateLinesText(text), want);
  std::string out = "kept|";
  AppendWithoutDuplicateLines(out, text);
  EXPECT_EQ(out, "kept|" + want);
}

TEST(SubfieldLineTests, EverySubfieldAfterTheFirstOnALine) {
  struct Row {
    const char* name;
    const char* text;
    char delimiter;
    const char* want;
  };
  const Row rows[] = {
      {"third example line", "*24510$aBirds of the north$cedited by the society\r\n", '$',
       "*24510$aBirds of the north\r\n$cedited by the society"},
      {"lines without delimiter", "*001x\r\n*008y\r\n", '$', "*001x\r\n*008y"},
      {"blank lines join without line end", "a\r\n\r\nb\r\n \r\n", '$', "a\r\nb"},
      {"blank first line", " \r\nb", '$', " b"},
      {"CR removed", "*245$a\rx$b\r\n", '$', "*245$ax\r\n$b"},
      {"other delimiter", "*245 0#aA#bB", '#', "*245 0#aA\r\n#bB"},
      {"delimiters in a row", "*24510$$$", '$', "*24510$\r\n$\r\n$"},
      {"empty text", "", '$', ""},
  };
  for (const Row& row : rows)
    EXPECT_EQ(SubfieldLinesText(row.text, row.delimiter), row.want) << row.name;
  std::string out = "kept|";
  AppendSubfieldLines(out, "*24510$aA$cB\r\n");
  EXPECT_EQ(out, "kept|*24510$aA\r\n$cB");
}

TEST(LineVariantTests, OnePassGivesWhatTheVariantsGiveInTurn) {
  const char* texts[] = {
      "*24510$aBirds$cedited\r\n*650 7$aBirds$2sao\r\n*650 7$ABIRDS$2SAO\r\n",
      "a\r\n \r\nA\r\n",                   // a blank line kept last once the duplicate goes
      " \r\nb$c\r\n\r\n \r\nb$C\r\nd\r\n", // blank lines before, between and after
      "*245$a\rx$b\r\n*245$ax$b\r\n",      // CR inside a line
      "a\nb\na\n\r\n",
      "",
  };
  TLineVariants variants; // one object for every text, as the writer keeps it
  for (const char* text : texts)
    for (const auto& [duplicates, subfields] : {std::pair{true, false}, {false, true}, {true, true}}) {
      std::string want = text;
      if (duplicates) want = RemoveDuplicateLinesText(want);
      if (subfields) want = SubfieldLinesText(want);
      std::string out = "kept|";
      variants.Append(out, text, duplicates, subfields);
      EXPECT_EQ(out, "kept|" + want) << text << duplicates << subfields;
    }
}

TEST(LineFormatSampleTests, SampleFileReadsBackByteForByte) {
  const std::string original = testing::ReadAll(KELVO_SOURCE_DIR "/data/samples/sorvia-marc21.mrc");
  ASSERT_FALSE(original.empty()) << "data/samples/sorvia-marc21.mrc saknas";

  std::string rendered;
  int records = 0;
  int periodicals = 0;
  int weeded = 0;
  TMarcRec rec;
  std::string_view rest = original;
  for (std::size_t caret; (caret = rest.find('^')) != std::string_view::npos; rest.remove_prefix(caret + 1)) {
    rec.ParseText(rest.substr(0, caret));
    if (rec.FieldCount() == 0) continue;
    ++records;
    periodicals += rec.Leader().size() == 24 && rec.Leader()[7] == 's';
    for (int i = 1; i <= rec.FieldCount("852"); ++i)
      weeded += rec.SubfieldValue("852", 'i', i) == "Utgallr";
    rendered += rec.AsText() + kSeparator;
  }
  EXPECT_EQ(records, 5);
  EXPECT_EQ(periodicals, 1);
  EXPECT_EQ(weeded, 1);
  EXPECT_EQ(rendered, original);
}

} // namespace
} // namespace kelvo
