#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "profiles/sorvia_dialect/DialectCleanUp.h"
#include "profiles/sorvia_dialect/DialectFixture.h"

namespace kelvo::sorvia_dialect {
namespace {

struct TEnding {
  const char* Tag;
  const char* In;
  const char* Out;
};

TEST(DialectCleanUp, CleanSubfieldEndings) {
  const TEnding rows[] = {
      {"245", "Titel :", "Titel"},     {"245", "Titel /,", "Titel /"}, // at most one ending goes
      {"245", "Titel ; /", "Titel ;"}, {"245", " :", " :"}, // the text must be longer than the ending
      {"245", "(inb.", "inb."},        {"500", "inb.)", "inb."},
      {"500", "(inb. :", "inb."},  // ending first, then the parenthesis
      {"500", "(a) b)", "(a) b)"}, // unbalanced but enclosed: kept
      {"500", "a (b", "a (b"},     // unbalanced inside: kept
      {"300", "(inb.", "(inb."},   // 300 keeps its parentheses
      {"300", "24 cm ;", "24 cm"},
  };
  for (const TEnding& r : rows) {
    TMarcRec rec;
    rec.AddField(r.Tag)->AddSubfield('a', r.In);
    sorvia_dialect::CleanSubfieldEndings(rec);
    EXPECT_EQ(rec.FieldAt(0).Subfields[0]->Value, r.Out) << r.Tag << " \"" << r.In << "\"";
  }
}

TEST(DialectCleanUp, PlusEndingsOnlyIn300) {
  TMarcRec rec;
  rec.ParseText("*300  $a310 s. +$b +$eCD +\r\n*500  $aNot +\r\n");
  sorvia_dialect::StripPlusEndings(rec);
  EXPECT_EQ(rec.AsText(), "*300  $a310 s.$b +$eCD\r\n*500  $aNot +\r\n");
}

struct TArticle {
  const char* Name;
  const char* Record;
  const char* First245; // expected text of the first 245
};

void PrintTo(const TArticle& c, std::ostream* os) { *os << c.Name; }

class ArticleDesignationTest : public ::testing::TestWithParam<TArticle> {};

TEST_P(ArticleDesignationTest, First245) {
  TMarcRec rec;
  rec.ParseText(GetParam().Record);
  sorvia_dialect::AddArticleDesignation(rec);
  EXPECT_EQ(rec.FindFieldPtr("245")->AsText('*', '$', false), GetParam().First245);
}

const TArticle Articles[] = {
    {"Review", "*000 a c\r\n*24510$aBok\r\n*787  $iRecension av$tVerk\r\n", "*24510$aBok$mRecension"},
    {"ReviewNeedsCapital", "*000 a c\r\n*24510$aBok\r\n*787  $irecension\r\n", "*24510$aBok$mArtikel"},
    {"ArticleByLevelAlone", "*000 o c\r\n*24510$aArtikel om x\r\n", "*24510$aArtikel om x$mArtikel"},
    {"Monograph", "*000 a a\r\n*24510$aBok\r\n*787  $iRecension\r\n", "*24510$aBok"},
    {"Existing245m", "*000 a c\r\n*24510$aBok$mText\r\n", "*24510$aBok$mText"},
    {"Second245HasM", "*000 a c\r\n*24510$aEtt\r\n*24510$aTv\xe5$mX\r\n", "*24510$aEtt"},
    {"NoLeader", "*24510$aBok\r\n", "*24510$aBok"},
    {"OnlyFirst245", "*000 a c\r\n*24510$aEtt\r\n*24510$aTv\xe5\r\n", "*24510$aEtt$mArtikel"},
};

INSTANTIATE_TEST_SUITE_P(Dialect, ArticleDesignationTest, ::testing::ValuesIn(Articles),
                         [](const ::testing::TestParamInfo<TArticle>& info) { return info.param.Name; });

// The regular-expression clean-ups, seen through fields that the rule
// sequence carries over unchanged.
TEST(DialectCleanUp, FinalCleanUpOnCarriedFields) {
  testing::DialectRun run("*24700$aF\xf6rr.$bx.\r\n*74002$aDel 2 .\r\n*740 2$aSerie.\r\n"
                          "*776 8$zISBN  91-0-012345-6$xISSN 1234-5678\r\n*787  $zISBN91-1$xISSN0000-1111\r\n"
                          "*760  $zISBN 1\r\n^\r\n");
  run.Kv->ConvertNext();
  // Leader and 008 are built from blanks here.
  EXPECT_EQ(run.Kv->OutRecord.AsText(), "*000                m       \r\n"
                                        "*008\r\n"
                                        "*24700$aF\xf6rr$bx.\r\n"
                                        "*74002$aDel 2 .\r\n"
                                        "*740 2$aSerie\r\n"
                                        "*760  $zISBN 1\r\n"
                                        "*776 8$z91-0-012345-6$x1234-5678\r\n"
                                        "*787  $z91-1$x0000-1111\r\n");
}

} // namespace
} // namespace kelvo::sorvia_dialect
