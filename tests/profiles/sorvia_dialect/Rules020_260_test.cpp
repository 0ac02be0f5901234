#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "profiles/sorvia_dialect/DialectFixture.h"

namespace kelvo::sorvia_dialect {
namespace {

using testing::ConvertedFields;
using testing::DialectRun;
using TCase = testing::TRuleCase;
using testing::CaseName;
using testing::DialectRules;

TEST_P(DialectRules, BuildsTheOutputFields) {
  const TCase& c = GetParam();
  EXPECT_EQ(ConvertedFields(c.Source), c.Output);
}

const TCase StandardNumbers[] = {
    {"IsbnWithQualifierAndPrice", "*020  $a 91-7054-123-4 (inb.) $c189 kr\r\n",
     "*350  $a189 kr$c91-7054-123-4$dinb.\n"},
    {"IsbnLongerThanThirteenCharacters", "*020  $a978911234567890 (hft.)\r\n",
     "*350  $c9789112345678$d90 (hft.\n"},
    {"QualifierWithSemicolon", "*020  $a9789112345678 (inb.) ;\r\n", "*350  $c9789112345678$dinb.\n"},
    {"OnlySemicolonAfterIsbn", "*020  $a9789112345678 ;\r\n", "*350  $c9789112345678\n"},
    {"CancelledIsbnOnly", "*020  $z91-7054-999-X\r\n", "*50910$a91-7054-999-X\n"},
    {"PriceWithoutIsbnIsLost", "*020  $c100 kr\r\n", ""},
    {"SecondIsbnDoesNotInheritTheFirst", "*020  $a9789112345678$c100 kr\r\n*020  $ainb.$c200 kr\r\n",
     "*350  $a100 kr$c9789112345678\n*350  $a200 kr\n"},
    {"FirstSubfieldsOnly", "*020  $a9789112345678$a9789112345679$z1$z2\r\n",
     "*350  $c9789112345678\n*50910$a1\n"},
    {"IssnKeptAndCancelledIssnTo509", "*0220 $a1234-5678$y1234-0000$z1111-2222\r\n",
     "*0220 $a1234-5678$z1111-2222\n*50920$a1234-0000\n"},
    {"IssnWithOnlyCancelled", "*022  $y1234-0000\r\n", "*50920$a1234-0000\n"},
};

// TrimEnclosing of "(SE-LIBR)" drops the "(" and the ")" on their own.
const TCase SystemNumbers[] = {
    {"SourceNameAndNumber", "*035  $a(SE-LIBR)12345\r\n", "*029  $a12345$ySE-LIBR\n"},
    {"NumberWithoutSource", "*035  $a12345\r\n", "*029  $a12345\n"},
    {"LastAWinsSourceKept", "*035  $a(OCoLC)1$a2\r\n", "*029  $a2$yOCoLC\n"},
    {"EachField", "*035  $a(A)1\r\n*035  $a(B)2\r\n", "*029  $a1$yA\n*029  $a2$yB\n"},
};

const TCase Codes[] = {
    {"LanguagesInGroupsOfThree", "*0411 $asweeng$hfre$hger\r\n",
     "*0411 $aswe$ufre$hger\n*0411 $aeng$ufre$hger\n"},
    {"RestOfGroupIgnored", "*041  $asween\r\n", "*041  $aswe\n"},
    {"TwoLettersGiveNothing", "*041  $asw\r\n", ""},
    {"OnlyTheFirst041", "*041  $aswe\r\n*041  $aeng\r\n", "*041  $aswe\n"},
    {"Without041A", "*041  $hswe\r\n", ""},
    {"Kssb5", "*084  $aHc$2kssb/5\r\n", "*081  $aHc\n"},
    {"Kssb6With5", "*084  $aHc.01$2kssb/6$5Q\r\n", "*081  $yQ$cHc.01\n"},
    {"Kssb7", "*084  $aHc$2 kssb/7 \r\n", "*081  $cHc\n"},
    {"Kssb", "*084  $aHc$2kssb\r\n", "*081  $bHc\n"},
    {"UnlistedEdition", "*084  $aHc$2kssb/8\r\n", "*087  $aHc\n"},
    {"NoSystem", "*084  $aHc\r\n", "*087  $aHc\n"},
    {"LastCodesWin", "*084  $aX$aY$2kssb/8$2kssb\r\n", "*081  $bY\n"},
    {"NothingWithoutAAnd5", "*084  $2kssb\r\n", ""},
};

const TCase MainEntries[] = {
    {"PersonFixedOrder", "*1001 $aEk, Anna$cfil. dr$d1950-$bII$g(red.)$q(Anna Maria)\r\n",
     "*1001 $aEk, Anna$c1950-$eII$ffil. dr$l(red.) Anna Maria\n"},
    {"PersonLastAWins", "*1001 $aEk$aAsk\r\n", "*1001 $aAsk\n"},
    {"OnlyFirstPerson", "*1001 $aEk\r\n*1001 $aAsk\r\n", "*1001 $aEk\n"},
    {"CorporateBody", "*1102 $aSkolverket$bEnheten$c(Stockholm)$d1999$iutg.\r\n",
     "*1102 $aSkolverket$cEnheten$iutg.$j(Stockholm)$k1999\n"},
    {"Meeting", "*1112 $aKonferensen$c(Lund)$d1999$eSektion$n(3)$gA$q(B)\r\n",
     "*1112 $aKonferensen$cSektion$eA (B)$i(3)$j(Lund)$k1999\n"},
};

const TCase Titles[] = {
    {"UniformTitleFrom130", "*130 0$aBibeln$h[Ljudupptagning] :$lSvenska$fq\r\n",
     "*24000$aBibeln$mLjudupptagning$rSvenska$qq\n"},
    {"UniformTitleFrom240", "*24010$aHamlet$kUrval$mpiano$nop. 2$oarr.$pAkt 1$rD-dur$gx\r\n",
     "*24010$aHamlet$pUrval$dpiano$fop. 2$karr.$sAkt 1$hD-dur$jx\n"},
    {"Abbreviated", "*2100 $aSv. tidn.$b(Stockholm) ;\r\n", "*2100 $aSv. tidn.$cStockholm\n"},
    {"KeyTitle", "*222 0$aTidningen$b(Lund)\r\n", "*222 0$aTidningen$bLund\n"},
    {"KeyTitleBlank", "*222 0$a \r\n", ""},
    {"TitleProper", "*24510$aHamlet.$bett drama$cav W. S.$h[Ljudupptagning] /$n1$pAkt$fx\r\n",
     "*24510$aHamlet$bett drama$eav W. S.$mLjudupptagning$v1$gAkt$bx\n"},
    {"TitleWithOnlyK", "*24500$kSamling\r\n", ""},
    {"UniformEqualToTitleDropped", "*24010$aHamlet\r\n*24510$aHamlet.\r\n", "*24510$aHamlet\n"},
    {"UniformDifferentKept", "*24010$aHamlet\r\n*24510$ahamlet\r\n", "*24010$aHamlet\n*24510$ahamlet\n"},
    {"VariantWithDisplayText", "*24611$aTitel$iOmslagstitel:\r\n", "*24619$aTitel$nOmslagstitel:\n"},
    {"VariantTypeZero", "*24600$aDel$fx$g(y)\r\n", "*24602$aDel$b(x)$b(y)\n"},
    {"VariantTypeFiveAndSix", "*24615$aA\r\n*24616$aB\r\n", "*24616$aA\n*24615$aB\n"},
    {"VariantTypeUnknown", "*2461 $aA$h[Bild]$n2$pDel\r\n*24619$aB\r\n",
     "*2461 $aA$mBild$v2$gDel\n*2461 $aB\n"},
    {"TranslatedTitleWithPart", "*24910$aTitel (Del 2)$bTill$n3$pX\r\n",
     "*24410$aTitel$pDel 2$bTill$v3$gX\n"},
    {"TranslatedTitleWithoutPart", "*249  $aTitel.\r\n", "*244  $aTitel\n"},
    {"MapEdition", "*255  $a1:50000$bproj.$ckoord.$eekv.$dx\r\n", "*256  $a1:50000$cproj.$dkoord.$eekv.\n"},
    {"FileCharacteristicsCopied", "*256  $aDatafil\r\n", "*257  $aDatafil\n"},
    {"Imprint", "*2600 $aStockholm$bBonnier$c1999$dPl. 12$eTryck$fTryckeri$gPressning\r\n",
     "*2600 $aStockholm$bBonnier$c1999$eTryck$fTryckeri$kPressning\n"},
    {"OnlyFirstImprint", "*260  $aLund\r\n*260  $aMalm\xf6\r\n", "*260  $aLund\n"},
};

INSTANTIATE_TEST_SUITE_P(StandardNumbers, DialectRules, ::testing::ValuesIn(StandardNumbers), CaseName);
INSTANTIATE_TEST_SUITE_P(SystemNumbers, DialectRules, ::testing::ValuesIn(SystemNumbers), CaseName);
INSTANTIATE_TEST_SUITE_P(Codes, DialectRules, ::testing::ValuesIn(Codes), CaseName);
INSTANTIATE_TEST_SUITE_P(MainEntries, DialectRules, ::testing::ValuesIn(MainEntries), CaseName);
INSTANTIATE_TEST_SUITE_P(Titles, DialectRules, ::testing::ValuesIn(Titles), CaseName);

// A record whose 245 holds only $k gets no output 245 and is written nowhere.
TEST(Rules020To260Record, TitleWithOnlyKIsNotWritten) {
  DialectRun run("*00000000nam a2200000 a 4500\r\n*24500$kSamling\r\n\r\n^\r\n"
                 "*00000000nam a2200000 a 4500\r\n*24500$aBok\r\n\r\n^\r\n");
  const std::string out = run.RunToEnd();
  EXPECT_EQ(out.find("Samling"), std::string::npos);
  EXPECT_NE(out.find("*24500$aBok\r\n"), std::string::npos);
}

} // namespace
} // namespace kelvo::sorvia_dialect
