#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "profiles/sorvia_dialect/DialectFixture.h"

namespace kelvo::sorvia_dialect {
namespace {

using testing::DialectRun;
using TCase = testing::TRuleCase;
using testing::CaseName;
using testing::DialectRules;

const TCase Description[] = {
    {"ExtentAndDimensionsAfterTheOthers", "*300  $a245 s.$bill.$c24 cm$eCD-skiva\r\n",
     "*300  $bill.$dCD-skiva$g245 s.$c24 cm\n"},
    {"SizeOfUnitInParenthesesAfterDimensions", "*300  $c24 cm$g30 x 40 cm\r\n",
     "*300  $c24 cm (30 x 40 cm)\n"},
    {"SizeOfUnitAlone", "*300  $g30 x 40 cm\r\n", "*300  $c(30 x 40 cm)\n"},
    {"SizeOfUnitAlwaysEnclosed", "*300  $c24 cm$g(A4)\r\n", "*300  $c24 cm ((A4))\n"},
    {"ExtentPartsJoinedBlankSizeIgnored", "*3001 $31 karta$a1 karta$fblad$g \r\n",
     "*3001 $31 karta$g1 karta blad\n"},
    {"OtherCodesDropped", "*300  $x1$a2 s.\r\n", "*300  $g2 s.\n"},
    {"Each", "*300  $a1 s.\r\n*300  $a2 s.\r\n", "*300  $g1 s.\n*300  $g2 s.\n"},
};

const TCase Series[] = {
    {"SeriesWithPartJoined", "*440 0$aSerie$x1234-5678$v3$nDel 2$pBarn\r\n",
     "*440 0$aSerie$n1234-5678$v3$gDel 2 Barn\n"},
    {"SeriesStatementWithoutPart", "*4901 $aSerie$v3$x1234$nDel\r\n", "*4901 $aSerie$v3$n1234\n"},
    {"Each", "*4900 $aA\r\n*4901 $aB\r\n", "*4900 $aA\n*4901 $aB\n"},
};

const TCase Notes[] = {
    {"GeneralNote", "*500  $aAnm.$5S$bx$3del\r\n", "*500  $aAnm.$yS$3del\n"},
    {"WithNote", "*501  $aMed$5S$3x\r\n", "*501  $aMed$yS\n"},
    {"MergedWithSemicolonBlanksSkipped", "*5061 $aFri$bBibl$c \r\n", "*500  $aFri; Bibl\n"},
    {"PerformersMerged", "*5110 $aA$aB\r\n", "*500  $aA; B\n"},
    {"MergedWithFullStop", "*51800$aInspelad 1999$bStockholm\r\n", "*500  $aInspelad 1999. Stockholm\n"},
    {"BlankMergedNoteGivesNothing", "*508  $a \r\n", ""},
    {"FirstAOnlySourceIndicators", "*51610$aData$aText\r\n", "*51610$aData\n"},
    {"FirstANoteWithoutA", "*522  $bX\r\n", ""},
    {"ContentsNoteIsNotMerged", "*5050 $aInneh\xe5ll\r\n*506  $aFri\r\n",
     "*500  $aFri\n*5050 $aInneh\xe5ll\n"},
    {"NotesInRuleOrder",
     "*524  $aCit\r\n*522  $aOmr\r\n*518  $aInsp\r\n*515  $aNr\r\n*514  $aKval\r\n"
     "*513  $aTyp\r\n*511  $aMed\r\n*508  $aProd\r\n*507  $aSkala\r\n*506  $aFri\r\n*500  $aAnm\r\n",
     "*500  $aAnm\n*500  $aFri\n*500  $aSkala\n*500  $aProd\n*500  $aMed\n*500  $aTyp\n"
     "*500  $aKval\n*500  $aNr\n*500  $aInsp\n*500  $aOmr\n*500  $aCit\n"},
};

// The second indicator of 600, 610, 611 and 640 ends blank.
const TCase NameAndTitleSubjects[] = {
    {"Person",
     "*60014$aEk, Anna$d1950-$q(Anna Maria)$gred.$h[Ljud] :$vfakta$xhistoria$yhist$zSverige$5S"
     "$tTitel$bII$cfil. dr\r\n",
     "*6001 $aEk, Anna$c1950-$mLjud$ohistoria$uhist$zSverige$yS$tTitel$eII$ffil. dr$lAnna Maria red.\n"},
    {"PersonFullerNameWithoutParentheses", "*600 0$aEk, A.$q(Anna)\r\n", "*600  $aEk, A.$lAnna\n"},
    {"CorporateBody", "*61020$aF\xf6retaget$bAvd$c(Lund)$d1999$nnr 2$h[Film]$tT$xx$yy$zz$55\r\n",
     "*6102 $aF\xf6retaget$cAvd$j(Lund)$k1999$inr 2$mFilm$tT$ox$uy$zz$y5\n"},
    {"Meeting", "*61120$aM\xf6te$c(Lund)$d1999$eSekt$n3$gA$q(B)$tT$xx$yy$zz$55\r\n",
     "*6112 $aM\xf6te$j(Lund)$k1999$cSekt$i3$tT$ox$uy$zz$y5$eA (B)\n"},
    {"UniformTitle",
     "*63004$aBibeln$gx$h[Ljud]$kUrval$lSvenska$mpiano$nop. 2$oarr.$pAkt 1$rD-dur$tT$xx$yy$zz$55\r\n",
     "*6400 $aBibeln$jx$mLjud$pUrval$rSvenska$dpiano$fop. 2$karr.$sAkt 1$hD-dur$tT$ox$uy$zz$y5\n"},
};

const TCase TopicalAndGeographicSubjects[] = {
    {"SecondThesaurusTo660", "*650 2$aNeoplasms$xtherapy$vfakta$yy$zz$2mesh$55\r\n",
     "*660 2$aNeoplasms$btherapy$vfakta$dy$cz$xmesh$y5\n"},
    {"OthersTo696InRecordOrder", "*650 7$aTroll$2sao\r\n*650 2$aB\r\n*650 0$aX\r\n*6501 $aY\r\n",
     "*696 7$aTroll$xsao\n*660 2$aB\n*696 0$aX\n*6961 $aY\n"},
    {"Geographic", "*651 7$aSverige$xhistoria$y1900-talet$zStockholm$vkartor$2sao$55\r\n",
     "*651 7$aSverige$bhistoria$d1900-talet$cStockholm$vkartor$2sao$y5\n"},
};

const TCase UncontrolledTerms[] = {
    {"CapitalsAndDigitsStay", "*653  $aDNA 2000$5S\r\n", "*653  $aDNA 2000$yS\n"},
    {"LowerCaseTo697", "*6531 $aAbc\r\n", "*6971 $aAbc\n"},
    {"AccentedCapitalStays", "*653  $a\xc9TUDE\r\n", "*653  $a\xc9TUDE\n"},
    {"AccentedLowerCaseTo697",
     "*653  $aCAF\xe9"
     "\r\n",
     "*697  $aCAF\xe9\n"},
    {"LastLowerCaseLetter",
     "*653  $aX\xff"
     "\r\n",
     "*697  $aX\xff\n"},
    {"DivisionSignIsNoLetter",
     "*653  $a1\xf7"
     "2\r\n",
     "*653  $a1\xf7"
     "2\n"},
    {"WithoutAStays", "*653  $bx\r\n", "*653  $bx\n"},
    {"OnlyTheFirstAIsTested", "*653  $aABC$adef\r\n", "*653  $aABC$adef\n"},
    {"OnlyTheFirst5BecomesY", "*653  $aabc$5A$5B\r\n", "*697  $aabc$yA$5B\n"},
};

INSTANTIATE_TEST_SUITE_P(Description, DialectRules, ::testing::ValuesIn(Description), CaseName);
INSTANTIATE_TEST_SUITE_P(Series, DialectRules, ::testing::ValuesIn(Series), CaseName);
INSTANTIATE_TEST_SUITE_P(Notes, DialectRules, ::testing::ValuesIn(Notes), CaseName);
INSTANTIATE_TEST_SUITE_P(NameAndTitleSubjects, DialectRules, ::testing::ValuesIn(NameAndTitleSubjects),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(TopicalAndGeographicSubjects, DialectRules,
                         ::testing::ValuesIn(TopicalAndGeographicSubjects), CaseName);
INSTANTIATE_TEST_SUITE_P(UncontrolledTerms, DialectRules, ::testing::ValuesIn(UncontrolledTerms), CaseName);

// Through the whole record step: a final " +" leaves every 300 subfield and an
// unbalanced parenthesis stays there, but not in a note.
TEST(Rules300To697Record, DescriptionKeepsUnbalancedParentheses) {
  DialectRun run("*00000000nam a2200000 a 4500\r\n*24500$aBok\r\n"
                 "*300  $a245 s. +$bill. +$c(24 cm\r\n*500  $a(Anm.\r\n\r\n^\r\n");
  const std::string out = run.RunToEnd();
  EXPECT_NE(out.find("*300  $bill.$g245 s.$c(24 cm\r\n"), std::string::npos) << out;
  EXPECT_NE(out.find("*500  $aAnm.\r\n"), std::string::npos) << out;
}

} // namespace
} // namespace kelvo::sorvia_dialect
