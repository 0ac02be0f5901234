#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "DalkRuleFixture.h"

namespace kelvo::testing {

using namespace kelvo::dalk_kv21;
namespace {

using TRuleCase = testing::TDalkRuleCase;

class DalkRules700To998 : public ::testing::TestWithParam<TRuleCase> {};

TEST_P(DalkRules700To998, Converts) {
  DalkRuleRun run;
  EXPECT_EQ(run.Convert(GetParam().Source, GetParam().Tags), GetParam().Expected);
}

const TRuleCase AddedEntries[] = {
    {"PersonalEntryMapsCodesAndAddsRelator",
     "*70021$aNamn, Per$c1900-$dfil.$ered.$fx$gy$lz$tTitel$uDel$qdrop",
     {"700"},
     "*7001 $aNamn, Per$d1900-$cfil.$bred.$cx$cy$cz$tTitel$tDel$4oth\n"},
    {"PersonalEntryRelatorsByInd2",
     "*70002$aA\r\n*70013$aB\r\n*70014$aC\r\n*70015$aD",
     {"700"},
     "*7000 $aA$4pbl\n*7001 $aB$4ill\n*7001 $aC$4trl\n*7001 $aD\n"},
    {"PersonalEntryWithNothingIsNotAdded", "*7001 $a $qx", {"700"}, ""},
    {"CorporateEntry",
     "*71021$aVerket$cAvd$eenhet$tTitel$uDel$zdrop",
     {"710"},
     "*7102 $aVerket$bAvd, enhet$tTitel$tDel$4oth\n"},
    {"MeetingEntryUsesEAsK",
     "*71102$aMote$cPlats$eextra$j1999",
     {"711"},
     "*7110 $aMote$ePlats, extra$c1999$4pbl\n"},
    {"UniformTitleEntryWithFilingForm",
     "*7304 $aThe work$d1999$eedr$fver$hljud$kurval$pdel$qfr$rdur$ssv",
     {"730"},
     "*7304 $aThe work$m1999$rljud$ourval$kdel$ffr$ldur$psv$wwork\n"},
    {"UniformTitleEntryIndicatorZeroHasNoW", "*7300 $aTitel", {"730"}, "*7300 $aTitel\n"},
    {"TitleEntry",
     "*7403 $aEn titel$nDel 2$xdrop\r\n*7402 $aEn titel",
     {"740"},
     "*7403 $aEn titel$pDel 2$wtitel\n*7402 $aEn titel$w titel\n"},
    {"HostItem",
     "*77312$tVärd$bupp$d1990$gs. 5$k$nnot$oid$sstd$w123$x1234-5678$zisbn$adrop",
     {"773"},
     "*7730 $tVärd$bupp$d1990$gs. 5$nnot$hid$pstd$o123$x1234-5678$zisbn\n"},
    {"LaterTitlesAfterTheColonOfTheFirstOnly",
     "*78012$tFöre: Förr: tid\r\n*78012$tAndra: x\r\n*785  $tEfter:\r\n*785  $tAnnan: y",
     {"780", "785"},
     "*78000$t Förr: tid\n"},
    {"LaterTitleWithoutColon", "*785  $tEfter", {"785"}, ""},
};
INSTANTIATE_TEST_SUITE_P(DalkAddedEntries, DalkRules700To998, ::testing::ValuesIn(AddedEntries),
                         [](const auto& info) { return std::string(info.param.Name); });

const TRuleCase SeriesAndLinks[] = {
    {"PersonalSeries",
     "*80022$aNamn$c1800$dd$eb$tSerie$v3$x1234-5678$uu$qdrop",
     {"800"},
     "*8001 $aNamn$d1800$cd$bb$tSerie$v3$w1234-5678$tu\n"},
    {"SeriesTitleJoinsVolumes",
     "*840 4$aThe series$v1$v $v2$xdrop",
     {"840"},
     "*840 4$aThe series$v1 ; 2$wseries\n"},
    {"UrlGAppendedToF", "*85640$uhttp://x$fbok$g.pdf$zinfo", {"856"}, "*85640$uhttp://x$fbok.pdf$zinfo\n"},
    {"UrlWithoutFKeepsG", "*85640$uhttp://x$g.pdf", {"856"}, "*85640$uhttp://x$g.pdf\n"},
    {"PartLinkFromLastNine", "*8871 $b1234567897654321xy", {"760"}, "*760  $w7654321\n"},
    {"PartLinkAfterNineZerosFromCharacterTen",
     "*8871 $b123456789ABCDEFGxy000000000",
     {"760"},
     "*760  $wABCDEFG\n"},
    {"PartLinkOfOnlyZerosIsDropped", "*8871 $b123456789000000000", {"760"}, ""},
    {"PartLinkWithShortNumber", "*8871 $b12345", {"760"}, "*760  $w12345\n"},
    {"SeriesNumberPaddedAndCopyKept",
     "*8872 $w1234\r\n*8870 $bxbok",
     {"887", "491"},
     "*8872 $w1234\n*8870 $bxbok\n*491  $q00001234\n"},
};
INSTANTIATE_TEST_SUITE_P(DalkSeriesAndLinks, DalkRules700To998, ::testing::ValuesIn(SeriesAndLinks),
                         [](const auto& info) { return std::string(info.param.Name); });

const TRuleCase LocalFields[] = {
    {"LocalPersonalIndicators",
     "*90000$aA$cc$dd$ee$ff$gg$ll$tt$uu$xdrop\r\n*90021$aB\r\n*90010$aC\r\n*900  $aD",
     {"900"},
     "*9001s$aA$dc$cd$be$cf$cg$cl$tt$uu\n*9001k$aB\n*9000s$aC\n*9000k$aD\n"},
    {"LocalCorporateAndMeeting",
     "*91020$aVerket$cAvd$eenh$tTitel$uu\r\n*91121$aMote$cOrt$eett",
     {"910", "911"},
     "*9102s$aVerket$bAvd, enh$tTitel$uu\n*911 k$aMote$eOrt, ett\n"},
    {"LocalUniformTitleTo930",
     "*94010$aVerk$d1990$esv$fen$hljud$kurval$pdel$qfr$rdur$sstd$uu$xx$zdrop",
     {"930", "940"},
     "*9301s$aVerk$m1990$nsv, en$rljud$ourval$kdel$ffr$ldur$pstd$uu$wx\n"},
    {"LinkFrom998", "*998  $uhttp://x/$xbok.pdf\r\n*998  $uhttp://y", {"856"}, "*85640$uhttp://x/bok.pdf\n"},
    {"BlankLinkFrom998IsNotAdded", "*998  $u $y", {"856"}, ""},
};
INSTANTIATE_TEST_SUITE_P(DalkLocalFields, DalkRules700To998, ::testing::ValuesIn(LocalFields),
                         [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace kelvo::testing
