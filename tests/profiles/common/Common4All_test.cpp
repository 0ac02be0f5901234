// The clean-ups the MARC21 profiles share.
#include "profiles/common/Common4All.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kelvo::common {
namespace {

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
  AddArticleDesignation(rec, 'm');
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

INSTANTIATE_TEST_SUITE_P(Designation, ArticleDesignationTest, ::testing::ValuesIn(Articles),
                         [](const ::testing::TestParamInfo<TArticle>& info) { return info.param.Name; });

} // namespace
} // namespace kelvo::common
