// Leader, 008, 029, 041, 081, 538 and 503 rules of the vendor profile, run
// through the whole rule order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DalkRuleFixture.h"

namespace kelvo::dalk_kv21 {
namespace {

using TRuleCase = testing::TDalkRuleCase;
using testing::RunRuleCases;

// A source leader with the given characters at positions 6, 7 and 17 and
// distinct characters everywhere else.
std::string SourceLeader(char p6, char p7, char p17) {
  return std::string("*00012345n") + p6 + p7 + "xy67abcde" + p17 + "fghijk";
}

// What the leader rule keeps of SourceLeader: 0-5, 10-11, 18, 20-21.
std::string OutLeader(char p6, char p7, char p17) {
  return std::string("*00012345n") + p6 + p7 + "  67     " + p17 + "f hi  \n";
}

TEST(DalkRules000, Leader) {
  RunRuleCases({
      {"usual book leader", "*00000000nam a2200000 a 4500", {"000"}, "*00000000na   22      a 45  \n"},
      {"kept letters", SourceLeader('k', 'i', 'u'), {"000"}, OutLeader('k', 'm', '3')},
      {"mapped letters 1", SourceLeader('b', 'c', 'b'), {"000"}, OutLeader('t', 'a', '7')},
      {"mapped letters 2", SourceLeader('l', 'g', 'm'), {"000"}, OutLeader('m', 's', '3')},
      {"mapped letters 3", SourceLeader('n', 's', 'p'), {"000"}, OutLeader('r', 'c', '5')},
      {"mapped letters 4", SourceLeader('o', 'e', 'x'), {"000"}, OutLeader('p', 'm', ' ')},
      {"unknown letters", SourceLeader('m', 'z', 'a'), {"000"}, OutLeader(' ', ' ', ' ')},
      {"short leader", "*00012", {"000"}, "*00012" + std::string(22, ' ') + "\n"},
      {"no leader", "*2450 $aT", {"000"}, ""},
  });
}

// A source 008 with the given date type (6), positions 15-17, 22 and 35-37.
std::string Source008(char p6, std::string_view p15, char p22, std::string_view language) {
  return std::string("*008860101") + p6 + "19992000" + std::string(p15) + "abcd" + p22 + "efghijklmnop" +
         std::string(language) + "qr";
}

// The output 008 after every rule: 33 holds the shelf digit "0".
std::string Out008(char p6, std::string_view p15, char p22, std::string_view language) {
  return std::string("*008860101") + p6 + "19992000" + std::string(p15) + "    " + p22 +
         std::string(10, ' ') + "0 " + std::string(language) + "  \n";
}

TEST(DalkRules000, Field008) {
  RunRuleCases({
      {"kept values", Source008('s', "sw ", 'j', "1+2"), {"008"}, Out008('s', "sw ", 'j', "1+2")},
      {"00 at 15-16", Source008('c', "00a", 'x', "123"), {"008"}, Out008('c', "XX ", 'e', "123")},
      {"only 15-16 count", Source008('c', "0 0", 'j', "123"), {"008"}, Out008('c', "0 0", 'j', "123")},
      {"f to s", Source008('f', "abc", 'e', "123"), {"008"}, Out008('s', "abc", 'e', "123")},
      {"? to b", Source008('?', "abc", 'e', "123"), {"008"}, Out008('b', "abc", 'e', "123")},
      {"y to m", Source008('y', "abc", 'e', "123"), {"008"}, Out008('m', "abc", 'e', "123")},
      {"z to r", Source008('z', "abc", 'e', "123"), {"008"}, Out008('r', "abc", 'e', "123")},
      {"unknown date type", Source008('q', "abc", 'e', "123"), {"008"}, Out008(' ', "abc", 'e', "123")},
      {"short 008",
       "*0088601",
       {"008"},
       "*0088601" + std::string(18, ' ') + "e" + std::string(10, ' ') + "0" + std::string(6, ' ') + "\n"},
  });
}

TEST(DalkRules000, Field029) {
  RunRuleCases({
      {"9 characters", "*0290 $a123456789", {"029"}, "*02901$a1234567\n"},
      {"13 characters", "*0292 $a1234567890123", {"029"}, "*02921$a4567890\n"},
      {"other lengths stay",
       "*029 3$a12345678\r\n*029  $a1234567890",
       {"029"},
       "*029 1$a12345678\n*029 1$a1234567890\n"},
      {"no $a", "*02900$b123456789", {"029"}, ""},
      {"only the first $a", "*029  $a123456789$a1", {"029"}, "*029 1$a1234567\n"},
  });
}

TEST(DalkRules000, Field041) {
  RunRuleCases({
      {"codes run together", "*0410 $asweengfre", {"041"}, "*0410 $aswe$aeng$afre\n"},
      {"short last piece", "*0411 $asween", {"041"}, "*0410 $aswe$aen\n"},
      {"b whole, c in pieces", "*04122$bsweeng$cgerfin", {"041"}, "*04111$bsweeng$bger$bfin\n"},
      {"t and u to h", "*04132$tlat$uxyzw$zzzz", {"041"}, "*04131$hlat$hxyzw\n"},
      {"other indicators stay", "*04134$aswe", {"041"}, "*04134$aswe\n"},
      {"nothing queued", "*0410 $zabc$a ", {"041"}, ""},
      {"first 041 only", "*0410 $aswe\r\n*0410 $aeng", {"041"}, "*0410 $aswe\n"},
  });
}

TEST(DalkRules000, Field081) {
  RunRuleCases({
      {"pieces in table order",
       "*081  $aHc$sy$pz$lsv$yx$gq$ff$ii$ee$nn",
       {"084"},
       "*084  $aHc n x e i f q (sv)(z)/y\n"},
      {"next a, h or k ends the pieces",
       "*08101$aA$kB$yC$hH1$yD$aE$rR",
       {"084"},
       "*08401$aA\n*08401$aB C\n*08401$aE R\n"},
      {"shelf, person and corporate",
       "*081  $hHylla$nStrindberg$y1849$eAugust$ikung$fx$lsv$gz$rRiket",
       {"852", "600", "610"},
       "*852  $hHylla\n*600  $aStrindberg$d1849$bAugust$ckung x sv$gz\n*610  $aRiket\n"},
      {"r ends the person", "*081  $nN$rR$yY", {"600"}, "*600  $aN\n"},
      {"person without extras", "*081  $nN$aA$yY", {"600"}, "*600  $aN\n"},
      {"first 081 only", "*081  $aA\r\n*081  $aB", {"084"}, "*084  $aA\n"},
  });
}

TEST(DalkRules000, Field081MarksThe008) {
  const std::string base = "*008" + std::string(22, '0') + "j" + std::string(17, ' ');
  testing::DalkRuleRun run;
  EXPECT_EQ(run.Convert(base + "\r\n*081 1$aA", {"008"}).substr(26, 1), "b");
  EXPECT_EQ(run.Convert(base + "\r\n*081 2$aA", {"008"}).substr(26, 1), "c");
  EXPECT_EQ(run.Convert(base + "\r\n*081 3$aA", {"008"}).substr(26, 1), "j");
  EXPECT_EQ(run.Convert(base + "\r\n*08111$hHx", {"008"}).substr(37, 1), "1"); // 852 $h begins with H
  EXPECT_EQ(run.Convert(base + "\r\n*08111$hhx", {"008"}).substr(37, 1), "0");
}

TEST(DalkRules000, Field538) {
  RunRuleCases({
      {"024 and 028",
       "*538  $a111\r\n*5381 $a222\r\n*538 1$a333\r\n*53811$a444",
       {"024", "028"},
       "*02480$a111\n*02850$a222\n"},
      {"599 from Ind1 7",
       "*5387 $a111\r\n*53879$a222\r\n*5387 $b333\r\n*5387 $a ",
       {"599"},
       "*599  $i111\n*599  $i222\n*599\n"},
  });
}

TEST(DalkRules000, Isbn503) {
  struct TCase {
    const char* Note;
    std::string Expected;
  };
  const std::vector<TCase> cases{
      {"ISBN 91-7054-988-3", "*020  $a91-7054-988-3$x91-7054-988-3\n"},
      {"Inb. ISBN 917054988X", "*020  $a917054988X$x917054988X\n"},
      {"ISBN 978-91-7054-988-3", "*020  $a978-91-7054-988-3$x978-91-7054-988-3\n"},
      {"ISBN 91-7054-988-3 (inb.)", ""},
      {"ISBN 123", ""},
  };
  for (const TCase& c : cases) {
    testing::DalkRuleRun run;
    run.Adapt("<root><copy503till020>true</copy503till020></root>");
    EXPECT_EQ(run.Convert(std::string("*503  $a") + c.Note, {"020"}), c.Expected) << c.Note;
  }
  testing::DalkRuleRun off;
  EXPECT_EQ(off.Convert("*503  $aISBN 91-7054-988-3", {"020"}), "");
}

} // namespace
} // namespace kelvo::dalk_kv21
