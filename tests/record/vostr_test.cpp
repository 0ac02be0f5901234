#include "record/vostr.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace kelvo {
namespace {

TEST(VoStrTests, BlankMeansOnlySpaceTabCrLf) {
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank("\r\n\t  "));
  EXPECT_FALSE(IsBlank(" \xa0 "));
  EXPECT_FALSE(IsBlank("\x0b"));
  EXPECT_FALSE(IsBlank(" a"));
}

TEST(VoStrTests, PositionsAreOneBasedAndSafe) {
  struct Row {
    int got, want;
  };
  const Row rows[] = {
      {CharPos("abcb", 'b'), 2},         {CharPos("abc", 'x'), 0},          {CharPos("", 'x'), 0},
      {CharPosFrom("abcb", 'b', 3), 4},  {CharPosFrom("abcb", 'b', 2), 2},  {CharPosFrom("abcb", 'b', 5), 0},
      {CharPosFrom("abcb", 'b', 0), 2},  {CharPosFrom("abcb", 'b', -7), 2}, {NthCharPos("a$b$c$", '$', 2), 4},
      {NthCharPos("a$b$c$", '$', 3), 6}, {NthCharPos("a$b$c$", '$', 4), 0}, {NthCharPos("a$b", '$', 0), 0},
      {NthCharPos("a$b", '$', -1), 0},   {CharCount("a$b$c$", '$'), 3},     {CharCount("", '$'), 0},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(rows[i].got, rows[i].want) << "row " << i;
}

TEST(VoStrTests, CharTests) {
  EXPECT_TRUE(HasChar("abc", 'c'));
  EXPECT_FALSE(HasChar("abc", 'd'));
  EXPECT_TRUE(HasAnyChar("abc", "xyb"));
  EXPECT_FALSE(HasAnyChar("abc", ""));
  constexpr CharSet digits = CharSet().AddRange('0', '9');
  EXPECT_TRUE(HasCharInSet("ab7", digits));
  EXPECT_FALSE(HasCharInSet("abc", digits));
  EXPECT_TRUE(HasCharInSet("a\xff", CharSet("\xff")));
  EXPECT_EQ(CharAt("abc", 3, '#'), 'c');
  EXPECT_EQ(CharAt("abc", 4, '#'), '#');
  EXPECT_EQ(CharAt("abc", 0, '#'), '#');
  EXPECT_EQ(CharAt("", 1, '#'), '#');
}

TEST(VoStrTests, StartsEndsEnclosed) {
  EXPECT_TRUE(StartsWith("abcdef", "abc"));
  EXPECT_FALSE(StartsWith("abcdef", ""));
  EXPECT_FALSE(StartsWith("ab", "abc"));
  EXPECT_FALSE(StartsWith("ABCdef", "abc"));
  EXPECT_TRUE(StartsWith("ABCdef", "abc", true));
  EXPECT_TRUE(StartsWith("\xc5sa", "\xe5s", true));
  EXPECT_TRUE(EndsWith("abcdef", "def"));
  EXPECT_FALSE(EndsWith("def", "def"));
  EXPECT_FALSE(EndsWith("ef", "def"));
  EXPECT_TRUE(EndsWith("abc", ""));
  EXPECT_FALSE(EndsWith("", ""));
  EXPECT_TRUE(IsEnclosed("[abc]", '[', ']'));
  EXPECT_FALSE(IsEnclosed("[abc", '[', ']'));
  // The closing character must follow something: "]" alone is not enclosed.
  EXPECT_FALSE(IsEnclosed("]", ']', ']'));
}

TEST(VoStrTests, LettersFollowTheNationalList) {
  for (int c : std::initializer_list<int>{'A', 'Z', 'a', 'z', 138, 140, 154, 156, 159, 162, 165, 192, 214,
                                          216, 246, 248, 255})
    EXPECT_TRUE(IsLetter(static_cast<char>(c))) << c;
  for (int c : std::initializer_list<int>{'0', '_', ' ', 142, 158, 163, 181, 191, 215, 247})
    EXPECT_FALSE(IsLetter(static_cast<char>(c))) << c;
  EXPECT_TRUE(IsAllLetters("G\xf6teborg"));
  EXPECT_FALSE(IsAllLetters("G\xf6teborg 2"));
  EXPECT_FALSE(IsAllLetters(""));
}

TEST(VoStrTests, FindInListModes) {
  const std::vector<std::string> list = {"Utgallr", "Gallrad", "xU"};
  EXPECT_EQ(FindInList(list, "Gall", 0), 1);
  EXPECT_EQ(FindInList(list, "allr", 0), -1);
  EXPECT_EQ(FindInList(list, "allr", 1), 0);
  EXPECT_EQ(FindInList(list, "U", 2), 2);
  EXPECT_EQ(FindInList(list, "xU", 2), -1);
  EXPECT_EQ(FindInList(list, "", 0), -1);
  EXPECT_EQ(FindInList(list, "Gall", 7), -1);
  EXPECT_EQ(FindInList({}, "a", 1), -1);
}

TEST(VoStrTests, ExtractionIsSafeOnEveryPosition) {
  struct Row {
    std::string got, want;
  };
  const Row rows[] = {
      {CopyFrom("abcdef", 3), "cdef"}, {CopyFrom("abcdef", 7), ""},      {CopyFrom("abcdef", 0), "abcdef"},
      {CopyFrom("", 1), ""},           {CopyDef("abcdef", 2, 3), "bcd"}, {CopyDef("abcdef", 2, 0), "bcdef"},
      {CopyDef("abcdef", 5, 9), "ef"}, {CopyDef("abcdef", 9, 1), ""},    {CopyDef("abcdef", 2, -1), ""},
      {RightStr("abcdef", 2), "ef"},   {RightStr("abc", 3), "abc"},      {RightStr("abc", 9), "abc"},
      {RightStr("abc", 0), ""},        {RightStr("abc", -2), ""},        {StripEnds("[abc]", 1), "abc"},
      {StripEnds("ab", 1), ""},        {StripEnds("a", 1), ""},          {StripEnds("abc", 0), "abc"},
      {StripEnds("abc", -1), "abc"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i)
    EXPECT_EQ(rows[i].got, rows[i].want) << "row " << i;
}

TEST(VoStrTests, Tokens) {
  struct Row {
    std::string (*fn)(std::string&, char);
    std::string in;
    std::string token, rest;
  };
  const Row rows[] = {
      {NextToken, "a$b", "a", "b"},     {NextToken, "$b", "", "b"},   {NextToken, "ab", "ab", ""},
      {NextToken, "a$b$c", "a", "b$c"}, {NextToken, "", "", ""},      {LastToken, "a$b$c", "c", "a$b"},
      {LastToken, "ab", "ab", ""},      {LastToken, "ab$", "", "ab"}, {LastToken, "$ab", "ab", ""},
  };
  for (const Row& row : rows) {
    std::string s = row.in;
    EXPECT_EQ(row.fn(s, '$'), row.token) << row.in;
    EXPECT_EQ(s, row.rest) << row.in;
  }
  std::string s = "a, b, c";
  EXPECT_EQ(NextTokenStr(s, ", "), "a");
  EXPECT_EQ(s, "b, c");
  s = "a,b";
  EXPECT_EQ(NextTokenStr(s, ", "), "a,b");
  EXPECT_EQ(s, "");
  s = "abc";
  EXPECT_EQ(NextTokenStr(s, ""), "abc");
  EXPECT_EQ(s, "");
}

TEST(VoStrTests, InPlaceChanges) {
  std::string s = "a-b-c";
  DeleteChars(s, '-');
  EXPECT_EQ(s, "abc");
  s = "a-b-c";
  ReplaceChars(s, '-', '+');
  EXPECT_EQ(s, "a+b+c");
  // Later pairs see the results of earlier ones: a -> b, then b -> c.
  s = "ab";
  ReplaceCharList(s, "ab", "bc");
  EXPECT_EQ(s, "cc");
  s = "ab";
  ReplaceCharList(s, "ab", "x");
  EXPECT_EQ(s, "xb");

  s = "abcdef";
  DeleteFrom(s, 4);
  EXPECT_EQ(s, "abc");
  DeleteFrom(s, 0); // a search that found nothing
  EXPECT_EQ(s, "abc");
  DeleteFrom(s, 4);
  EXPECT_EQ(s, "abc");
  DeleteFrom(s, 1);
  EXPECT_EQ(s, "");

  s = "abc";
  DeleteLast(s, 0);
  EXPECT_EQ(s, "abc");
  DeleteLast(s, -1);
  EXPECT_EQ(s, "abc");
  DeleteLast(s, 1);
  EXPECT_EQ(s, "ab");
  s = "abc";
  DeleteLast(s, 3);
  EXPECT_EQ(s, "");
  s = "abc";
  DeleteLast(s, 5);
  EXPECT_EQ(s, "");
}

TEST(VoStrTests, TrimAndPad) {
  EXPECT_EQ(TrimLeftChar("00120", '0'), "120");
  EXPECT_EQ(TrimRightChar("00120", '0'), "0012");
  EXPECT_EQ(TrimChar("..a.b..", '.'), "a.b");
  EXPECT_EQ(TrimChar("....", '.'), "");
  EXPECT_EQ(PadLeft("7", 3, '0'), "007");
  EXPECT_EQ(PadLeft("1234", 3, '0'), "1234");
  EXPECT_EQ(PadLeft("7", -3, '0'), "7");
  EXPECT_EQ(PadRight("ab", 4, ' '), "ab  ");
  EXPECT_EQ(PadRight("abcde", 4, ' '), "abcde");

  EXPECT_EQ(Trim("\r\n\t a b \x01\x1f"), "a b");
  EXPECT_EQ(Trim("  "), "");
  EXPECT_EQ(TrimBlanks("\r\n\t a b \x01\x1f "), "a b \x01\x1f");
  EXPECT_EQ(TrimBlanks(" \x01a\t"), "\x01a");
  EXPECT_EQ(TrimBlanks(" \t"), "");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(TrimRight("\x01\x02"), "");
  // Bytes above 127 are letters, not control characters.
  EXPECT_EQ(Trim("\xa0\xe5\xa0"), "\xa0\xe5\xa0");
  EXPECT_EQ(TrimView(" \xe5 "), "\xe5");
  EXPECT_EQ(TrimView(""), "");
}

TEST(VoStrTests, OverlayAtPadsThenWrites) {
  struct Row {
    std::string text, s;
    int position;
    std::string want;
  };
  const Row rows[] = {
      {"XY", "abcdef", 3, "abXYef"}, {"XYZ", "abcd", 3, "abXYZ"}, {"X", "ab", 5, "ab  X"},
      {"", "ab", 4, "ab  "},         {"X", "ab", 0, "Xb"},        {"XY", "", 1, "XY"},
  };
  for (const Row& row : rows) {
    std::string s = row.s;
    OverlayAt(row.text, s, row.position, ' ');
    EXPECT_EQ(s, row.want) << row.text << " at " << row.position << " on " << row.s;
  }
}

TEST(VoStrTests, BuildersAndBlankWrapping) {
  EXPECT_EQ(RepeatChar('-', 3), "---");
  EXPECT_EQ(RepeatChar('-', 0), "");
  EXPECT_EQ(SortChars("ca6B"), "6Bac");
  EXPECT_EQ(SortChars("\xe5z"), "z\xe5");

  std::string s = "a";
  AppendWithSep(s, "b", "; ");
  EXPECT_EQ(s, "a; b");
  AppendWithSep(s, " ", "; ");
  EXPECT_EQ(s, "a; b ");
  s = " ";
  AppendWithSep(s, "c", "; ");
  EXPECT_EQ(s, " c");

  EXPECT_EQ(PrefixIfNotBlank("x", "("), "(x");
  EXPECT_EQ(PrefixIfNotBlank(" \r\n", "("), "");
  EXPECT_EQ(SuffixIfNotBlank("x", ")"), "x)");
  EXPECT_EQ(SuffixIfNotBlank("", ")"), "");
  EXPECT_EQ(WrapIfNotBlank("x", "(", ")"), "(x)");
  EXPECT_EQ(WrapIfNotBlank("\t", "(", ")"), "");
}

TEST(VoStrTests, CaseFollowsWindowsAnsiRules) {
  struct Row {
    unsigned char lower, upper;
  };
  const Row pairs[] = {{'a', 'A'},   {'z', 'Z'},   {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E},
                       {0xFF, 0x9F}, {0xE0, 0xC0}, {0xE5, 0xC5}, {0xF6, 0xD6}, {0xFE, 0xDE}};
  for (const Row& p : pairs) {
    EXPECT_EQ(static_cast<unsigned char>(UpperChar(static_cast<char>(p.lower))), p.upper) << int(p.lower);
    EXPECT_EQ(static_cast<unsigned char>(LowerChar(static_cast<char>(p.upper))), p.lower) << int(p.upper);
  }
  for (unsigned char same : std::initializer_list<unsigned char>{0xDF, 0xB5, 0xD7, 0xF7, 0x83, '1', '_'}) {
    EXPECT_EQ(static_cast<unsigned char>(UpperChar(static_cast<char>(same))), same) << int(same);
    EXPECT_EQ(static_cast<unsigned char>(LowerChar(static_cast<char>(same))), same) << int(same);
  }
  EXPECT_EQ(UpperCase("G\xf6teborg \xdf"), "G\xd6TEBORG \xdf");
  EXPECT_EQ(LowerCase("\xc5SA"), "\xe5sa");
}

TEST(VoStrTests, CaseInsensitiveComparison) {
  EXPECT_TRUE(SameText("\xc5sa", "\xe5SA"));
  EXPECT_FALSE(SameText("abc", "abcd"));
  EXPECT_EQ(CompareText("abc", "ABC"), 0);
  EXPECT_LT(CompareText("abc", "abd"), 0);
  EXPECT_LT(CompareText("ab", "abc"), 0);
  EXPECT_GT(CompareText("b", "A"), 0);
  // Order is by byte value after upper-casing: bytes above 127 sort last.
  EXPECT_GT(CompareText("\xe5", "z"), 0);
  EXPECT_EQ(CompareText("", ""), 0);
}

TEST(VoStrTests, StrToIntDefNeedsTheWholeString) {
  struct Row {
    const char* s;
    int want;
  };
  const Row rows[] = {
      {"42", 42},  {"-42", -42}, {"+7", 7},    {"007", 7},          {"", -1},
      {" 4", -1},  {"4 ", -1},   {"4a", -1},   {"-", -1},           {"+", -1},
      {"+-4", -1}, {"--4", -1},  {"0x10", -1}, {"99999999999", -1}, {"2147483647", 2147483647}};
  for (const Row& row : rows)
    EXPECT_EQ(StrToIntDef(row.s, -1), row.want) << row.s;
}

TEST(VoStrTests, Cp1252AndUtf8) {
  EXPECT_EQ(Cp1252ToUtf8("abc"), "abc");
  EXPECT_EQ(Cp1252ToUtf8("\xe5\xe4\xf6"), "\xc3\xa5\xc3\xa4\xc3\xb6");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xe2\x82\xac");
  EXPECT_EQ(Cp1252ToUtf8("\x9f"), "\xc5\xb8");
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xef\xbf\xbd");
  EXPECT_EQ(Utf8ToCp1252("\xc3\xa5\xe2\x82\xac\xc5\xb8"), "\xe5\x80\x9f");
  EXPECT_EQ(Utf8ToCp1252("\xd0\x96"), "?");           // Cyrillic: not in the code page
  EXPECT_EQ(Utf8ToCp1252("\xf0\x9f\x98\x80x"), "?x"); // four-byte sequence
  EXPECT_EQ(Utf8ToCp1252("\xc3"), "?");               // truncated
  EXPECT_EQ(Utf8ToCp1252("\xc0\xaf"), "??");          // overlong
  EXPECT_EQ(Utf8ToCp1252("\xed\xa0\x80"), "???");     // surrogate
  EXPECT_EQ(Utf8ToCp1252("\xef\xbf\xbd"), "?");

  // Every defined byte survives the round trip.
  std::string all;
  for (int b = 1; b < 256; ++b)
    if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(VoStrTests, MessagesKeepTheUtf8OfFileNames) {
  struct Row {
    const char* Message;
    const char* Shown;
  };
  const Row rows[] = {
      {"Kan inte \xf6ppna infilen \xc3\xb6lbok.mrc", "Kan inte \xc3\xb6ppna infilen \xc3\xb6lbok.mrc"},
      {"utfilen data\xe4\xb8\xad.mrc \xe4r", "utfilen data\xe4\xb8\xad.mrc \xc3\xa4r"},
      {"\xe4\xb8", "\xc3\xa4\xc2\xb8"},         // a sequence cut short is code page 1252
      {"\xf6lbok.mrc", "\xc3\xb6lbok.mrc"},     // so is a name from a code page 1252 system
      {"\xc3\xa5\x80", "\xc3\xa5\xe2\x82\xac"}, // one byte after a whole sequence
  };
  for (const Row& row : rows)
    EXPECT_EQ(MessageToUtf8(row.Message), row.Shown) << row.Message;
  EXPECT_TRUE(IsValidUtf8("\xc3\xb6lbok data\xe4\xb8\xad"));
  EXPECT_FALSE(IsValidUtf8("\xf6lbok"));
}

} // namespace
} // namespace kelvo
