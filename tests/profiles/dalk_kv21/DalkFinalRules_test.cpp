// The rules that run after all field rules of the vendor profile: 001 cut and
// 029, language move, 245 clean-up and part title, 007, 008/33 and the stamp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DalkRuleFixture.h"
#include "profiles/dalk_kv21/DalkRules.h"
#include "support/SourceDate.h"

namespace kelvo::dalk_kv21 {
namespace {

using TFinalCase = testing::TDalkRuleCase;
using testing::RunRuleCases;

// An 008 of 40 characters with the language at 35-37 and digits elsewhere.
std::string Source008(std::string_view language) {
  return "*008" + std::string(35, '1') + std::string(language) + "22";
}

TEST(DalkFinalRules, RecordNumber) {
  RunRuleCases({
      {"cut and 029", "*001DLK1234567890", {"001", "029"}, "*0011234567\n*02961$a1234567\n"},
      {"short 001", "*001DLK12", {"001", "029"}, "*00112\n*02961$a12\n"},
      {"blank after the cut", "*001DLK", {"001", "029"}, "*001\n"},
      {"no 001", "*2450 $aT", {"001", "029"}, ""},
  });
}

TEST(DalkFinalRules, Language) {
  // Rule008 keeps 35-37 and writes "e" at 22 and the shelf digit at 33.
  const std::string head = "*008" + std::string(6, '1') + " " + std::string(11, '1') + std::string(4, ' ') +
                           "e" + std::string(10, ' ') + "0 ";
  RunRuleCases({
      {"three letters move", Source008("swe"), {"008", "041"}, head + "     \n*0410 $aswe\n"},
      {"national letters move", Source008("\xe5\xe4\xf6"), {"041"}, "*0410 $a\xe5\xe4\xf6\n"},
      {"not all letters stay", Source008("sw1"), {"008", "041"}, head + "sw1  \n"},
      {"041 $a wins", Source008("swe") + "\r\n*0410 $aeng", {"008", "041"}, head + "     \n*0410 $aeng\n"},
      {"041 without $a", Source008("swe") + "\r\n*0410 $bfre", {"041"}, "*0410 $bfre\n*0410 $aswe\n"},
      {"no 008, no 041", "*0410 $beng", {"041"}, "*0410 $beng\n"},
  });
}

TEST(DalkFinalRules, LanguageBlanksAShort008) {
  testing::DalkRuleRun run;
  run.Convert("*0410 $aeng\r\n*0088601", {});
  ASSERT_EQ(GetLeaderOr008(run.Kv->OutRecord, 1).size(), 40u); // Rule008 gives 40 characters
  // a short 008 from elsewhere is padded before 35-37 are blanked
  run.Kv->OutRecord.Clear();
  run.Kv->OutRecord.AddControlField("008", "12345");
  run.Kv->OutRecord.AddField("041")->AddSubfield('a', "eng");
  run.RunRule(RunFinalRules);
  EXPECT_EQ(GetLeaderOr008(run.Kv->OutRecord, 1), "12345" + std::string(28, ' ') + "0" + std::string(4, ' '));
}

TEST(DalkFinalRules, Shelf008) {
  RunRuleCases({
      {"no 852, no 008", "*2450 $aT", {"008"}, "*008" + std::string(33, ' ') + "0\n"},
      {"shelf H", "*081  $hHc\r\n*081  $hXy", {"008"}, "*008" + std::string(33, ' ') + "1\n"},
      {"shelf not H", "*081  $hhc", {"008"}, "*008" + std::string(33, ' ') + "0\n"},
  });
}

TEST(DalkFinalRules, Title245Filing) {
  RunRuleCases({
      {"three full stops", "*2450 $a...Titel", {"245"}, "*24503$a...Titel\n"},
      {"Ind2 0", "*24500$a-Titel", {"245"}, "*24501$a-Titel\n"},
      {"digit counts", "*2450 $a.- 1984", {"245"}, "*24503$a.- 1984\n"},
      {"national letter", "*2450 $a..\xe5r", {"245"}, "*24502$a..\xe5r\n"},
      {"Ind2 set stays", "*24504$a...Titel", {"245"}, "*24504$a...Titel\n"},
      {"no leading mark", "*2450 $a\"Titel", {"245"}, "*2450 $a\"Titel\n"},
      {"ten marks", "*2450 $a..........Titel", {"245"}, "*2450 $a..........Titel\n"},
      {"no letter", "*2450 $a...", {"245"}, "*2450 $a...\n"},
      {"first 245 only", "*2450 $aT\r\n*2450 $a.T", {"245"}, "*2450 $aT\n*2450 $a.T\n"},
  });
}

TEST(DalkFinalRules, PartTitle) {
  struct TCase {
    const char* Name;
    TMultiVolumeLevel RecordClass;
    bool SeparateProperWorks;
    std::string Source;
    std::string Expected;
  };
  const std::vector<TCase> cases{
      {"second n is a volume", TMultiVolumeLevel::Part, false, "*2450 $aT$nDel 1$nVol 2$nbox 3",
       "*2950 $aT$nDel 1$nbox 3\n"},
      {"first n is never removed", TMultiVolumeLevel::Part, false, "*2450 $aT$nvol 1$nDel",
       "*2950 $aT$nvol 1$nDel\n"},
      {"trimmed and lower-cased", TMultiVolumeLevel::Part, false, "*2450 $aT$n1$n BOX 2$nvol3",
       "*2950 $aT$n1$nvol3\n"},
      {"filing counted first", TMultiVolumeLevel::Part, false, "*2450 $a..T$n1", "*29502$a..T$n1\n"},
      {"head keeps 245", TMultiVolumeLevel::Head, false, "*2450 $aT$n1$nvol 2", "*2450 $aT$n1$nvol 2\n"},
      {"proper works kept apart", TMultiVolumeLevel::Part, true, "*2450 $aT$n1$nvol 2",
       "*2450 $aT$n1$nvol 2\n"},
  };
  for (const TCase& c : cases) {
    testing::DalkRuleRun run;
    run.Kv->RecordClass = c.RecordClass;
    run.Kv->SeparateProperWorks = c.SeparateProperWorks;
    EXPECT_EQ(run.Convert(c.Source, {"245", "295"}), c.Expected) << c.Name;
  }
}

TEST(DalkFinalRules, MediaCodes007) {
  const char* xml =
      "<root><mediekoder><mediekod in='KA' ut='ta'/><kod in='KA' ut=' '/><x in='KA' ut='vd cv'/>"
      "<mediekod in='ka' ut='no'/><y><mediekod in='KA' ut='deep'/></y></mediekoder></root>";
  struct TCase {
    const char* Name;
    std::string Source;
    std::string Expected;
  };
  const std::vector<TCase> cases{
      {"every direct child that matches", "*8870 $bxKA", "*007ta\n*007vd cv\n"},
      {"object type compared exactly", "*8870 $bxka", "*007no\n"},
      {"no object type", "*8871 $bxKA", ""},
  };
  for (const TCase& c : cases) {
    testing::DalkRuleRun run;
    run.Adapt(xml);
    EXPECT_EQ(run.Convert(c.Source, {"007"}), c.Expected) << c.Name;
  }
  testing::DalkRuleRun plain;
  EXPECT_EQ(plain.Convert("*8870 $bxKA", {"007"}), "");
}

class DalkStampTest : public ::testing::Test {
  testing::ScopedSourceDate date_; // 2023-11-14
};

TEST_F(DalkStampTest, StampIsAddedLast) {
  testing::DalkRuleRun run;
  EXPECT_EQ(run.Convert("*2450 $aT", {"592"}), "*59200$aDALKKONV$b2023-11-14\n");
  ASSERT_FALSE(run.Kv->OutRecord.Fields.empty());
  EXPECT_EQ(run.Kv->OutRecord.Fields.back()->Tag, "592");
}

} // namespace
} // namespace kelvo::dalk_kv21
