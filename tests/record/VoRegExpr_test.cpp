#include "record/VoRegExpr.h"

#include <gtest/gtest.h>

#include <string>

#include "record/MarcError.h"

namespace kelvo {
namespace {

TEST(VoRegExprTests, NationalWordCharsExtendBackslashW) {
  const std::string word = "Gr\xe5"
                           "f\xf6r";
  TVoRegExpr national;
  national.SetExpression("\\w+");
  ASSERT_TRUE(national.Exec(" " + word + " x"));
  EXPECT_EQ(national.Match(), word);
  EXPECT_EQ(national.MatchPos(), 2);
  EXPECT_EQ(national.MatchLen(), 6);

  TVoRegExpr plain(false);
  plain.SetExpression("\\w+");
  ASSERT_TRUE(plain.Exec(" " + word + " x"));
  EXPECT_EQ(plain.Match(), "Gr");
}

TEST(VoRegExprTests, EveryListedByteIsAWordCharAndNoOther) {
  TVoRegExpr national;
  TVoRegExpr plain(false);
  national.SetExpression("^\\w$");
  plain.SetExpression("^\\w$");
  const auto listed = [](int c) {
    return c == 138 || c == 140 || c == 142 || c == 154 || c == 156 || c == 158 || c == 159 || c == 165 ||
           (c >= 192 && c <= 214) || (c >= 216 && c <= 246) || c >= 248;
  };
  for (int c = 128; c < 256; ++c) {
    const std::string one(1, static_cast<char>(c));
    EXPECT_EQ(national.Exec(one), listed(c)) << c;
    EXPECT_FALSE(plain.Exec(one)) << c;
  }
  EXPECT_TRUE(national.Exec("_"));
  EXPECT_TRUE(national.Exec("7"));
  EXPECT_FALSE(national.Exec("\xd7"));
}

TEST(VoRegExprTests, WordBoundariesAndNegationsSeeNationalLetters) {
  TVoRegExpr national;
  national.SetExpression("\\bv\\w*\\b");
  ASSERT_TRUE(national.Exec("\xe5v\xe5 v\xe4g"));
  EXPECT_EQ(national.Match(), "v\xe4g");
  EXPECT_EQ(national.MatchPos(), 5);
  national.SetExpression("\\W+");
  ASSERT_TRUE(national.Exec("\xf6\xf6, \xe4"));
  EXPECT_EQ(national.Match(), ", ");
  // A character class keeps its own meaning: [a-z] is ASCII only.
  national.SetExpression("[a-z]+");
  ASSERT_TRUE(national.Exec("s\xe5g"));
  EXPECT_EQ(national.Match(), "s");
}

TEST(VoRegExprTests, MatchingOptions) {
  TVoRegExpr r;
  struct Row {
    const char* pattern;
    std::string input;
    bool found;
    std::string match;
  };
  const Row rows[] = {
      {"a.b", "a\nb", true, "a\nb"},       // dot matches line breaks
      {"b$", "ab\n", false, ""},           // $ only at the very end
      {"b$", "ab", true, "b"},             //
      {"^b", "a\nb", false, ""},           // ^ only at the start
      {"A", "a", false, ""},               // case-sensitive
      {"a.*c", "abcabc", true, "abcabc"},  // greedy
      {"\\s+$", "ab \r\n", true, " \r\n"}, //
      {"\xe5+", "x\xe5\xe5y", true, "\xe5\xe5"},
      {"", "abc", true, ""},
  };
  for (const Row& row : rows) {
    r.SetExpression(row.pattern);
    EXPECT_EQ(r.Exec(row.input), row.found) << row.pattern;
    EXPECT_EQ(r.Match(), row.match) << row.pattern;
  }
}

TEST(VoRegExprTests, GroupsAndPositions) {
  TVoRegExpr r;
  r.SetExpression("(\\d+)-(x)?(\\d+)");
  EXPECT_EQ(r.GroupCount(), 3);
  ASSERT_TRUE(r.Exec("ab 12-345"));
  EXPECT_EQ(r.MatchPos(0), 4);
  EXPECT_EQ(r.MatchLen(0), 6);
  EXPECT_EQ(r.Match(1), "12");
  EXPECT_EQ(r.MatchPos(3), 7);
  // A group that did not take part, and numbers past the last group.
  EXPECT_EQ(r.MatchPos(2), 0);
  EXPECT_EQ(r.MatchLen(2), 0);
  EXPECT_EQ(r.Match(2), "");
  EXPECT_EQ(r.MatchPos(4), 0);
  EXPECT_EQ(r.Match(-1), "");

  EXPECT_FALSE(r.Exec("nothing"));
  EXPECT_EQ(r.MatchPos(), 0);
  EXPECT_EQ(r.Match(1), "");
}

TEST(VoRegExprTests, MatchOutlivesTheInput) {
  TVoRegExpr r;
  r.SetExpression("\\d+");
  {
    std::string input = "no 42 here";
    ASSERT_TRUE(r.Exec(input));
    input.assign(100, 'x');
  }
  EXPECT_EQ(r.Match(), "42");
}

TEST(VoRegExprTests, GroupsBeforeTheMatchOutliveTheInput) {
  TVoRegExpr r;
  r.SetExpression("(?<=(ab))c");
  ASSERT_TRUE(r.Exec(std::string("xabc") + std::string(40, 'y')));
  EXPECT_EQ(r.Match(), "c");
  EXPECT_EQ(r.Match(1), "ab");
  EXPECT_EQ(r.MatchPos(1), 2);
}

TEST(VoRegExprTests, ExecFromStartsAtAOneBasedPosition) {
  TVoRegExpr r;
  r.SetExpression("a");
  ASSERT_TRUE(r.ExecFrom("a-a-a", 2));
  EXPECT_EQ(r.MatchPos(), 3);
  ASSERT_TRUE(r.ExecFrom("a-a-a", 5));
  EXPECT_EQ(r.MatchPos(), 5);
  EXPECT_FALSE(r.ExecFrom("a-a-a", 6));
  EXPECT_FALSE(r.ExecFrom("a-a-a", 60));
  ASSERT_TRUE(r.ExecFrom("a-a-a", -3));
  EXPECT_EQ(r.MatchPos(), 1);
  // ^ still means the start of the whole input.
  r.SetExpression("^a");
  EXPECT_FALSE(r.ExecFrom("a-a", 3));
  r.SetExpression("$");
  ASSERT_TRUE(r.ExecFrom("ab", 3));
  EXPECT_EQ(r.MatchPos(), 3);
}

TEST(VoRegExprTests, AlternatingPatternsKeepTheirOwnMeaning) {
  TVoRegExpr r;
  for (int round = 0; round < 3; ++round) {
    r.SetExpression("(b+)");
    EXPECT_EQ(r.Expression(), "(b+)");
    EXPECT_EQ(r.GroupCount(), 1);
    ASSERT_TRUE(r.Exec("abbc"));
    EXPECT_EQ(r.Match(1), "bb");
    r.SetExpression("c");
    EXPECT_EQ(r.GroupCount(), 0);
    // The previous pattern's match does not leak into the new one.
    EXPECT_EQ(r.Match(1), "");
    ASSERT_TRUE(r.Exec("abbc"));
    EXPECT_EQ(r.MatchPos(), 4);
  }
}

TEST(VoRegExprTests, InvalidPatternRaisesWithTheEngineMessage) {
  TVoRegExpr r;
  r.SetExpression("ok");
  try {
    r.SetExpression("a(b");
    FAIL() << "no exception";
  } catch (const MarcError& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("a(b"), std::string::npos) << message;
    EXPECT_NE(message.find("missing closing parenthesis"), std::string::npos) << message;
  }
  // The object keeps its previous, valid expression.
  EXPECT_EQ(r.Expression(), "ok");
  EXPECT_TRUE(r.Exec("look"));
}

TEST(VoRegExprTests, DeepPatternsStillMatch) {
  // Deep enough to exhaust the JIT's stack; the interpreter takes over.
  TVoRegExpr r;
  r.SetExpression("^(a|b)*c$");
  std::string input(20000, 'a');
  input += 'c';
  EXPECT_TRUE(r.Exec(input));
  EXPECT_EQ(r.MatchLen(), 20001);
}

} // namespace
} // namespace kelvo
