// Rules for standard numbers, notes and subjects (350-690), run through the
// whole rule order; only the tags a case names are compared.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "DalkRuleFixture.h"
#include "profiles/dalk_kv21/DalkRules.h"

namespace kelvo::testing {

using namespace kelvo::dalk_kv21;
namespace {

using TRuleCase = testing::TDalkRuleCase;
using testing::RunRuleCases;

TEST(DalkRules350, StandardNumbersByIndicators) {
  RunRuleCases({
      {"ISBN with binding and price",
       "*35000$aInb.$b150 kr$c91-1234-567-8$dkartong",
       {"020", "350"},
       "*020  $a91-1234-567-8 (150 kr : kartong)$cInb.$x91-1234-567-8\n"},
      {"last of each subfield, only $b", "*35000$c91-1$c91-2$bpris", {"020"}, "*020  $a91-2 (pris)$x91-2\n"},
      {"only $d", "*35000$c91-2$dhft", {"020"}, "*020  $a91-2 (hft)$x91-2\n"},
      {"no number: no $a, no parenthesis", "*35000$aInb.", {"020"}, "*020  $cInb.\n"},
      {"020 is added without subfields", "*35000$zx", {"020", "350"}, "*020\n"},
      {"ISSN: every $c", "*35010$c1234-5678$ax$c2345-6789", {"022", "350"}, "*022  $a1234-5678$a2345-6789\n"},
      {"ISSN without $c adds nothing", "*35010$ax", {"022", "350"}, ""},
      {"publisher number", "*35040$eLabel$g123$ax", {"028", "350"}, "*02810$bLabel$a123\n"},
      {"local number from $f", "*35050$ax$f4711", {"029", "350"}, "*02930$a4711\n"},
      {"local number without $f", "*35050$ax", {"029", "350"}, ""},
      {"other first indicator is copied", "*35090$ax", {"350"}, "*35090$ax\n"},
      {"second indicator not 0 is copied", "*35001$c91-1", {"020", "350"}, "*35001$c91-1\n"},
  });
}

TEST(DalkRules503, SourceNotesFill596) {
  RunRuleCases({
      {"copied from", "*503  $aKopierad fr\xE5n: Boken om Nils", {"596"}, "*59691$aBoken om Nils\n"},
      {"read from, blank instead of colon",
       "*503  $ainl\xE4st ur  Tidningen ",
       {"596"},
       "*59691$aTidningen\n"},
      {"the later note wins",
       "*503  $aInl\xE4st ur: A\r\n*503  $aKopierad fr\xE5n: B",
       {"596"},
       "*59691$aB\n"},
      {"other notes give no 596",
       "*503  $aUtg. \xE4ven som e-bok\r\n*503  $bKopierad fr\xE5n: X",
       {"596"},
       ""},
      {"caption not at the start", "*503  $aDelvis kopierad fr\xE5n: X", {"596"}, ""},
      {"the note is still copied to 500",
       "*503  $aKopierad fr\xE5n: X",
       {"500"},
       "*500  $aKopierad fr\xE5n: X\n"},
  });
}

TEST(DalkRulesNotes, JoinedNotes) {
  RunRuleCases({
      {"two 505 join",
       "*505  $aDel ett \r\n*50512$aDel tv\xE5$aextra",
       {"505"},
       "*5058 $aDel ett. Del tv\xE5\n"},
      {"546 and 550",
       "*50612$aSvenska\r\n*507  $aSkala 1:100\r\n*507  $aKarta",
       {"546", "550"},
       "*546  $aSvenska\n*550  $aSkala 1:100. Karta\n"},
      {"occurrences without $a", "*505  $bx\r\n*505  $aEnda", {"505"}, "*5058 $aEnda\n"},
      {"nothing to join", "*505  $bx\r\n*505  $a  ", {"505"}, ""},
  });
}

TEST(DalkRules508, ReadersBecomeAddedEntries) {
  RunRuleCases({
      {"two readers",
       "*5083 $aInl\xE4sare: Anna Berg och Per Lind",
       {"508", "700"},
       "*70093$aBerg, Anna\n*70093$aLind, Per\n"},
      {"list with commas and a trailing ellipsis",
       "*5083 $ainl\xE4sare:Anna Maria Berg, Cher, Per Lind ...",
       {"508", "700"},
       "*70093$aBerg, Anna Maria\n*70093$aCher\n*70093$aLind, Per\n"},
      {"empty pieces are skipped",
       "*5083 $aInl\xE4sare: ,Anna Berg,",
       {"508", "700"},
       "*70093$aBerg, Anna\n"},
      {"other first indicator",
       "*50810$aInl\xE4sare: Anna Berg",
       {"508", "700"},
       "*508  $aInl\xE4sare: Anna Berg\n"},
      {"other caption", "*5083 $aL\xE4ses av Anna Berg", {"508", "700"}, "*508  $aL\xE4ses av Anna Berg\n"},
      {"without $a", "*5083 $bInl\xE4sare: Anna Berg", {"508", "700"}, "*508  $bInl\xE4sare: Anna Berg\n"},
  });
}

TEST(DalkRules596, ShelfNotesAndNumbers) {
  RunRuleCases({
      {"all three fields",
       "*59612$aHylla$xID1$zdrop$bB$xID2$iInneh\xE5ll$sS",
       {"599", "035", "520", "596"},
       "*599  $aHylla$bB$sS\n*035  $aID2\n*520  $aInneh\xE5ll\n"},
      {"nothing that qualifies", "*596  $zx$a ", {"599", "035", "520", "596"}, ""},
  });
}

TEST(DalkRulesSubjects, PersonalAndCorporate) {
  RunRuleCases({
      {"600 codes",
       "*60020$aNamn$cSir$d1900-$eutg.$ff$gg$ll$tTitel$uU$vv$yy$9drop$2sao",
       {"600"},
       "*6001 $aNamn$dSir$c1900-$butg.$cf$cg$cl$tTitel$tU$vv$yy$2sao\n"},
      {"600 with nothing to keep", "*600  $9x$a ", {"600"}, ""},
      {"610 codes",
       "*61021$aVerket$cAvd$eenh$iNr 1$jOrt$k1990$xsub$uU$ee2$qdrop",
       {"610"},
       "*61021$aVerket$bAvd, enh$nNr 1$jOrt$d1990$xsub$tU$ge2\n"},
      {"610 $e joins $a", "*610  $aVerket$eett$etv\xE5", {"610"}, "*610  $aVerket, ett, tv\xE5\n"},
      {"$e first and $e after $t become $g",
       "*610  $eett$aVerket$tT$etv\xE5",
       {"610"},
       "*610  $gett$aVerket$tT$gtv\xE5\n"},
      {"611 codes", "*611 4$aM\xF6te$cPlats$eett$bdrop", {"611"}, "*611 4$aM\xF6te$ePlats, ett\n"},
      {"611 $e after $b is not joined", "*611  $aM\xF6te$jj$eett", {"611"}, "*611  $aM\xF6te$jj$gett\n"},
  });
}

TEST(DalkRulesSubjects, TitlesTermsAndKeywords) {
  RunRuleCases({
      {"630 codes, parts and filing form",
       "*6304 $aThe Title$nDel 1$pDelen$n2$sSv$qq$tt$ffr$hh$ww$zz$\xE5x",
       {"630"},
       "*6304 $aThe Title$pDelen$fSv$ffr$hh$zz$nDel 1, 2$wtitle\n"},
      {"630 filing form in lower case", "*6303 $aLE MONDE", {"630"}, "*6303 $aLE MONDE$wmonde\n"},
      {"630 without filing indicator", "*630 0$aTitel$n1", {"630"}, "*630 0$aTitel$n1\n"},
      {"650 medical heading", "*650 7$aNeoplasms$2NLMSH", {"650", "660"}, "*660  $aNeoplasms\n"},
      {"650 medical heading without $a", "*650 7$2NLMSH", {"650", "660"}, ""},
      {"650 other thesaurus", "*650 7$aKatter$2nlmsh", {"650", "660"}, "*650 7$aKatter$2nlmsh\n"},
      {"681 first field only",
       "*681  $aEtt$bx$aTv\xE5\r\n*681  $aTre",
       {"681", "976"},
       "*976  $bEtt\n*976  $bTv\xE5\n"},
      {"690 terms",
       "*690  $xf\xF6re$cHund$eRas$xhundar$xhund2$cKatt$xkatter$cMus$ee",
       {"690", "653"},
       "*653  $aHund : Ras$whundar\n*653  $aKatt$wkatter\n*653  $aMus : e\n"},
      {"690 $e not right after $c", "*690  $cHund$xhundar$eRas", {"653"}, "*653  $aHund$whundar\n"},
  });
}

constexpr std::string_view MediaTexts = R"(<?xml version="1.0" encoding="UTF-8"?>
<root>
  <mediekoder>
    <grupp><mediekod in="TA" ut="sd f" klartext1="Talbok" klartext2="Ljudbok"/></grupp>
    <mediekod in="DA" klartext2="Daisy"/>
    <mediekod in="VI" ut="vd"/>
  </mediekoder>
</root>)";

TEST(DalkRules596, MediaTextsFromTheAdaptation) {
  struct TCase {
    const char* Name;
    std::string_view Source;
    std::string_view Expected;
  };
  const std::vector<TCase> cases{
      {"object type found ignoring case", "*8870 $bxta9", "*59691$hTalbok$mLjudbok\n"},
      {"only the second text", "*8870 $bxDA", "*59691$mDaisy\n"},
      {"no texts", "*8870 $bxVI", ""},
      {"unknown object type", "*8870 $bxKA", ""},
      {"no object type", "*8871 $bxTA", ""},
      {"into the 596 of a 503", "*8870 $bxTA\r\n*503  $aKopierad fr\xE5n: Boken",
       "*59691$aBoken$hTalbok$mLjudbok\n"},
  };
  for (const TCase& c : cases) {
    DalkRuleRun run;
    run.Adapt(MediaTexts);
    run.Convert(c.Source);
    // The final rules call it too; a second run sets the same subfields again.
    run.RunRule(Rule596FromAdaptation);
    EXPECT_EQ(run.Fields({"596"}), c.Expected) << c.Name;
  }
  DalkRuleRun plain;
  plain.Convert("*8870 $bxTA");
  plain.RunRule(Rule596FromAdaptation);
  EXPECT_EQ(plain.Fields({"596"}), "") << "no adaptation";
}

} // namespace
} // namespace kelvo::testing
