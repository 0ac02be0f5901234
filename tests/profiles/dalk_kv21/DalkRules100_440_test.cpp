#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "profiles/dalk_kv21/DalkRuleFixture.h"

namespace kelvo::dalk_kv21 {
namespace {

using TRuleCase = testing::TDalkRuleCase;
using testing::RunRuleCases;

TEST(DalkHeadingRules, PersonalAndCorporateNames) {
  RunRuleCases({
      {"100 codes and Ind1 2 to 1",
       "*10021$aNamn$cTitel$d1900$ex$fy$gz$lw$xv$qdropped",
       {"100"},
       "*1001 $aNamn$dTitel$c1900$bx$cy$cz$cw$wv\n"},
      {"100 only the first", "*1000 $aForst\r\n*1001 $aAndra", {"100"}, "*1000 $aForst\n"},
      {"100 without any subfield taken is still added", "*1001 $qx$a ", {"100"}, "*100\n"},
      {"110 e joins the b",
       "*11010$aVerket$cAvd$eEnhet$iNr$jOrt$k1990$xsub",
       {"110"},
       "*1102 $aVerket$bAvd, Enhet$nNr$cOrt$d1990$wsub\n"},
      {"111 K is e", "*11120$aMote$cPlats$eDel$eOch", {"111"}, "*111  $aMote$ePlats, Del, Och\n"},
      {"110 every occurrence, empty ones dropped",
       "*110  $aEtt\r\n*110  $zx\r\n*110  $aTva",
       {"110"},
       "*1102 $aEtt\n*1102 $aTva\n"},
  });
}

TEST(DalkHeadingRules, UniformTitles) {
  RunRuleCases({
      {"130 codes, s split at the marker, filing form",
       "*1304 $aThe Title$dd1$hh1$kk1$pp1$qq1$rr1$ss1$ss2\x01s3$ee$ff",
       {"130"},
       "*1304 $aThe Title$md1$rh1$ok1$kp1$fq1$lr1$ps1$ps2$ps3$wTitle\n"},
      {"130 last a wins", "*1300 $aForst$dd1$aSist$dd2", {"130"}, "*1300 $aSist$md2\n"},
      {"130 filing form longer than the title", "*1309 $aKort", {"130"}, "*1309 $aKort\n"},
      {"240 keeps Ind2", "*24013$aTitel$sDel", {"240"}, "*240 3$aTitel$pDel\n"},
      {"240 always added", "*24010$eex$ffy", {"240"}, "*240\n"},
  });
}

TEST(DalkTitleRules, Rule244OpensAFieldForEveryFurtherA) {
  RunRuleCases({
      {"three a",
       "*24412$aEtt$bsub$eres1$eres2$aTva$gdel$pnr$aTre",
       {"249"},
       "*24912$aEtt$bsub / res1, res2\n*24912$aTva$pdel (nr)\n*24912$aTre\n"},
      {"e and p without a subfield to join", "*244  $ex$py$gdel", {"249"}, "*249  $pdel\n"},
      {"nothing taken", "*244  $ex$zy", {"249"}, ""},
  });
}

TEST(DalkTitleRules, ParallelTitles) {
  RunRuleCases({
      {"a ends with ' = ': the whole b moves",
       "*24510$aHuvudtitel = $bForsta = Andra / = \"Tredje\" :$cAv N.N.",
       {"245", "246"},
       "*24611$aForsta\n*24611$aAndra\n*24611$aTredje\n*24500$aHuvudtitel =$cAv N.N.\n"},
      {"h ends with ' = '",
       "*24510$aTitel$h<Ljud> = $bPar.",
       {"245", "246"},
       "*24611$aPar\n*24500$aTitel$hLjud\n"},
      {"b cut at its first ' = '",
       "*24514$aThe title$bsub = Parallel : more = Third .$cresp",
       {"245", "246"},
       "*24611$aParallel : more\n*24611$aThird\n*24504$aThe title$bsub$cresp\n"},
      {"b with a blank rest stays whole", "*24510$aTitel$bsub = ", {"245", "246"}, "*24500$aTitel$bsub =\n"},
      {"b that is only '=' is removed", "*24500$aTitel :$b=", {"245", "246"}, "*24500$aTitel\n"},
      {"only the first 245 gives parallel titles",
       "*24510$aEtt$bsub = par\r\n*24510$aTva$bsub2 = par2",
       {"245", "246"},
       "*24611$apar\n*24500$aEtt$bsub\n*24500$aTva$bsub2 = par2\n"},
      {"quotes kept unless they enclose the title",
       "*245  $aA$bb = Ej \"citat\" = \"",
       {"246"},
       "*24611$aEj \"citat\"\n*24611$a\"\n"},
  });
}

TEST(DalkTitleRules, TitleSubfields) {
  RunRuleCases({
      {"medium in angle brackets and a subtitle",
       "*24510$aTitel$h<Ljudbok> : en roman /$cN.N.",
       {"245"},
       "*24500$aTitel$hLjudbok$ben roman$cN.N.\n"},
      {"medium alone", "*245 2$aA$h [Video]", {"245"}, "*24502$aA$h[Video]\n"},
      {"part title with responsibility joins the c",
       "*24510$aVerket$cav A$nDel 2,$pBoken / overs. B",
       {"245"},
       "*24500$aVerket$cav A ; overs. B$nDel 2$pBoken\n"},
      {"responsibility without c adds one",
       "*24510$aVerket$pBoken / av B",
       {"245"},
       "*24500$aVerket$pBoken$cav B\n"},
      {"trailing ' :' and ' /' cut, other codes dropped",
       "*24510$a  Titel : $bsub / $nn1 :$zx$c resp /",
       {"245"},
       "*24500$aTitel$bsub$nn1$cresp /\n"},
      {"every 245 is converted", "*24510$aEtt\r\n*24501$aTva", {"245"}, "*24500$aEtt\n*24501$aTva\n"},
      // The marker of a "$" sequence is no blank: trimming keeps it.
      {"markers at the ends of values stay",
       "*24510$a\x01Omega\r\n*24601$a \x01Ovre",
       {"245", "246"},
       "*24500$a\x01Omega\n*24601$a \x01Ovre\n"},
  });
}

TEST(DalkTitleRules, VariantTitles) {
  RunRuleCases({
      {"Ind2 9 becomes 247 0, g gives a 740",
       "*24619$aVariant$dd1$ee1$gdel$nn1$vv1$zx",
       {"246", "247", "740"},
       "*7400 $adel\n*24710$aVariant$bd1 ; e1$pdel$fn1$nv1\n"},
      {"d after a b joins with ' / '", "*24613$aA$bB$dD$eE", {"246"}, "*24613$aA$bB / D ; E\n"},
      {"d first becomes b", "*246 1$dD$aA$hH", {"246", "740"}, "*7400 $aH\n*246 1$bD$aA$pH\n"},
      {"nothing taken", "*24610$zx", {"246", "247"}, ""},
  });
}

TEST(DalkDescriptionRules, EditionScaleAndPublication) {
  RunRuleCases({
      {"250 with 500 from the last e",
       "*250  $a2. uppl.$aannan$cc1$dd1$ee1$ee2",
       {"250", "500"},
       "*250  $a2. uppl.$bc1 - d1\n*500  $ae2\n"},
      {"250 only e", "*250  $ee", {"250", "500"}, "*500  $ae\n"},
      {"256 to 255", "*256  $aa1$bb1$bb2$cc$dd$ee", {"255", "256"}, "*255  $aa1 ; b1 ; b2$bc$cd$ee\n"},
      {"257 to 256 and 502",
       "*257  $aa1$bb1$bb2\r\n*502  $aDiss.$bUppsala",
       {"256", "502"},
       "*256  $aa1 b1 b2\n*502  $aDiss. Uppsala\n"},
      {"260 collected values",
       "*2600 $aStockholm$aX$bForlag$bAndra$bTredje$cc1990$c[1991]$gg1$gg2$ii1$ii2$dx",
       {"260"},
       "*260  $aStockholm$bForlag$c[1991]$gg2$iAndra, Tredje, <i2>$y1991\n"},
      {"260 year equal to c", "*260  $aOrt$bF$bG$c1991", {"260"}, "*260  $aOrt$bF$c1991\n"},
      {"260 always added", "*26011$dx", {"260"}, "*260\n"},
  });
}

TEST(DalkDescriptionRules, ExtentAndSeries) {
  RunRuleCases({
      {"300 collected values",
       "*300  $a200 s.$vv1$bill.$hh$ii$jj$c25 cm$kk1$dd1$ee1$dd2$ee2$ee3",
       {"300"},
       "*300  $av1 (200 s.)$bill., h, i, j$c25 cm$ck1$ed2, e2, e3\n"},
      {"300 first e after a blank", "*300  $a1 vol.$dd$ee$ff", {"300"}, "*300  $a1 vol.$ed e\n"},
      {"531 wins over 300", "*300  $aett\r\n*300  $atva\r\n*531  $atre", {"300"}, "*300  $atre\n"},
      {"only the first 300", "*300  $aett\r\n*300  $atva", {"300"}, "*300  $aett\n"},
      {"440",
       "*44015$aSerie$bsub$eres1$eres2$gg1$gg2$nn1",
       {"440"},
       "*440 5$aSerie : sub / res1 ; res2$pg2$xn1\n"},
      {"440 always added", "*44012$zx", {"440"}, "*440\n"},
  });
  RunRuleCases({{"every 300 with separate proper works",
                 "*300  $aett\r\n*300  $vtva\r\n*531  $atre",
                 {"300"},
                 "*300  $aett\n*300  $atva\n"}},
               true);
}

} // namespace
} // namespace kelvo::dalk_kv21
