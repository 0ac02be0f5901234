#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "profiles/sorvia_dialect/DialectFixture.h"

namespace kelvo::sorvia_dialect {
namespace {

using testing::DialectRun;
using testing::FieldLines;
using TCase = testing::TRuleCase;
using testing::CaseName;
using testing::DialectRules;

const TCase AddedEntries[] = {
    {"PersonRelatorsGatheredWithoutC", "*7001 $aEk, Anna$d1950-$4aut$4trl\r\n",
     "*7001 $aEk, Anna$c1950-$faut/trl\n"},
    {"PersonRelatorsKeptWithC", "*7001 $aEk, Anna$cfil. dr$4aut\r\n", "*7001 $aEk, Anna$ffil. dr$4aut\n"},
    {"PersonWithCJoinsGAndQ", "*700  $aEk$cmed.$4aut$gred.$q(Anna)\r\n",
     "*700  $aEk$fmed.$4aut$lred. (Anna)\n"},
    {"PersonRelatorsBeforeGAndQ", "*7001 $aEk$bII$h[Ljud] /$tTitel$5Q$gred.$4aut$q(Anna)\r\n",
     "*7001 $aEk$eII$mLjud$tTitel$yQ$faut$lred. (Anna)\n"},
    {"EachPerson", "*7001 $aEk\r\n*7001 $aAsk$4ill\r\n", "*7001 $aEk\n*7001 $aAsk$fill\n"},
    {"CorporateBody", "*7102 $aSkolverket$bEnheten$c(Stockholm)$d1999$nx$h[Text]$tT$4pbl$5Q$zy\r\n",
     "*7102 $aSkolverket$cEnheten$j(Stockholm)$k1999$ix$mText$tT$4pbl$yQ\n"},
    {"Meeting", "*7112 $aKonf$c(Lund)$d1999$eSekt$n3$gA$q(B)$4x\r\n",
     "*7112 $aKonf$j(Lund)$k1999$cSekt$i3$4x$eA (B)\n"},
    {"UniformTitle",
     "*7302 $aBibeln$gx$h[Ljud]$kUrval$lSvenska$mpiano$nop. 2$oarr.$pAkt 1$rD-dur$sversion$tT$5Q$vy\r\n",
     "*7402 $aBibeln$jx$mLjud$pUrval$rSvenska$dpiano$fop. 2$karr.$sAkt 1$hD-dur$qversion$tT$yQ\n"},
};

// 765, 773 and 785 with the copies of this range, in the order of the steps.
const TCase Links[] = {
    {"OriginalWithUniformTitle", "*7650 $tTitel$sUniform$x1234-5678\r\n", "*7590 $sUniform$x1234-5678\n"},
    {"OriginalWithoutUniformTitle", "*765  $tTitel$x1$w2\r\n", "*759  $tTitel$x1\n"},
    {"OriginalWithNothingTaken", "*765  $aEk\r\n", ""},
    {"HostWithUniformTitle", "*7730 $aEk$tTitel$sUni$x1234$gs. 5$w123\r\n", "*7730 $aEk$tUni$n1234$gs. 5\n"},
    {"HostWithoutUniformTitle", "*773  $tTitel$dSthlm$bx$kser$pabbr$zisbn$31$ie\r\n",
     "*773  $tTitel$dSthlm$bx$kser$pabbr$zisbn$31\n"},
    {"SucceedingKeptForZeroToSix", "*78500$tA\r\n*78506$tB$w1\r\n*78517$tC\r\n*785  $tD\r\n",
     "*78500$tA\n*78506$tB$w1\n"},
    {"CopiesInStepOrder", "*976  $ax\r\n*830  $aS\r\n*775  $tB\r\n*770  $tA\r\n",
     "*789  $tA\n*769  $tB\n*840  $aS\n*972  $ax\n"},
    {"LinkNumbersOf760And762", "*762  $wabc def\r\n*7600 $w(SE-LIBR) 123$tX\r\n*7600 $w(X)(Y)\r\n",
     "*7600 $w123$tX\n*7600 $w(X)(Y)\n*762  $wabc\n"},
    {"OnlyTheFirstLinkNumber", "*760  $w(A)  -1 (B) x2$w(B) 2\r\n", "*760  $wx2$w(B) 2\n"},
    {"OtherLinkNumbersUntouched", "*780  $w(X) 1\r\n", "*780  $w(X) 1\n"},
};

const TCase Holdings[] = {
    {"EveryBCarriesTheFirst",
     "*852  $bKVB$hHc$cMag$bKVX$lEk$jA 12$tex 2$iutgallr$xint$zpub$2sys$3del$9drop\r\n",
     "*096  $yKVB$aMag$yKVB$cA 12$dex 2$sutgallr$xint$zpub$2sys$3del$bHc, Ek\n"},
    {"FiveEqualToBGivesNothing", "*852  $bKVB$5KVB$hHc\r\n", "*096  $yKVB$bHc\n"},
    {"EveryFiveCarriesTheFirst", "*85201$5KVX$bKVB$5KVY\r\n", "*09601$yKVX$yKVB$yKVX\n"},
    {"OnlyShelvingLocation", "*852  $lEk\r\n", "*096  $bEk\n"},
    {"NothingTaken", "*852  $9x\r\n", ""},
    {"EachHolding", "*852  $bA\r\n*852  $bB\r\n", "*096  $yA\n*096  $yB\n"},
    {"AddressKeepsEverything", "*85640$uhttp://x$zFri$3Del\r\n", "*85640$uhttp://x$zFri$3Del\n"},
    {"NoAddressKeepsDAndF", "*8564 $dpath$zx$ffile\r\n", "*8564 $dpath$ffile\n"},
    {"NoAddressNothingTaken", "*856  $zx\r\n", ""},
    {"HoldingsNote", "*866 0$5KVB$a\xc5rg. 1-$xint$zpub$8q\r\n", "*590 0$yKVB$b\xc5rg. 1-$xint$zpub\n"},
};

const TCase LocalFields[] = {
    {"LocalPerson", "*9001 $aEk$uUtl$bII$cfil.$d1950-$gred.$q(Anna) ;$xy\r\n",
     "*9001 $aEk$uUtl$eII$ffil.$c1950-$lred. Anna\n"},
    {"LocalCorporateBody", "*9102 $aSkolv$uUtl$bEnh$c(Sthlm)$d1999$n3$gx\r\n",
     "*9102 $aSkolv$uUtl$cEnh$j(Sthlm)$k1999$i3\n"},
    {"LocalMeeting", "*9112 $aKonf$uU$c(Lund)$d1999$eSekt$n3$gA$q(B)\r\n",
     "*9112 $aKonf$uU$j(Lund)$k1999$cSekt$i3$eA (B)\n"},
    {"LocalUniformTitle", "*93014$aBibeln$uU$fx$gy$h[Ljud]$kUrval$lSv$mpiano$nop$oarr$pAkt$rD$tT\r\n",
     "*94004$aBibeln$uU$qx$jy$mLjud$pUrval$rSv$dpiano$fop$karr$sAkt$hD\n"},
};

INSTANTIATE_TEST_SUITE_P(AddedEntries, DialectRules, ::testing::ValuesIn(AddedEntries), CaseName);
INSTANTIATE_TEST_SUITE_P(Links, DialectRules, ::testing::ValuesIn(Links), CaseName);
INSTANTIATE_TEST_SUITE_P(Holdings, DialectRules, ::testing::ValuesIn(Holdings), CaseName);
INSTANTIATE_TEST_SUITE_P(LocalFields, DialectRules, ::testing::ValuesIn(LocalFields), CaseName);

// An ISO 2709 record may hold "$c" inside a subfield text; in the line
// format that is a $c, so the relator codes stay in $4.
TEST(Rules700To976Record, DollarCInsideATextCountsAsC) {
  DialectRun run;
  TMrc21ToMrcKv& kv = run.WithSource("*7001 $aEk\r\n");
  TMarcField* field = kv.SourceRecord.FindFieldPtr("700");
  field->Subfields[0]->Value = "Ek US$cent";
  field->AddSubfield('4', "aut");
  kv.ConvertFields();
  EXPECT_EQ(FieldLines(kv.OutRecord), "*7001 $aEk US$cent$4aut\n");
}

// The shelf status in 852 $i reaches 096 $s, which routes the record.
TEST(Rules700To976Record, HoldingStatusRoutesToTheWeededFile) {
  DialectRun run("*24510$aGallrad\r\n*852  $bKVB$iGallr\r\n^\r\n*24510$aKvar\r\n*852  $bKVB$iHylla\r\n^\r\n",
                 {false, true});
  const std::string out = run.RunToEnd();
  EXPECT_NE(out.find("Kvar"), std::string::npos);
  EXPECT_EQ(out.find("Gallrad"), std::string::npos);
  EXPECT_NE(run.Side("utgallrade.mrc").find("*096  $yKVB$sGallr\r\n"), std::string::npos);
}

} // namespace
} // namespace kelvo::sorvia_dialect
