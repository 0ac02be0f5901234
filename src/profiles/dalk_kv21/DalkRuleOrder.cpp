// The field rules of the vendor profile in their fixed order: ConvertNext
// calls ConvertFields for every record that is converted.
#include <array>
#include <string_view>

#include "profiles/common/StepEngine.h"
#include "profiles/dalk_kv21/DalkIIToKv21.h"
#include "profiles/dalk_kv21/DalkRules.h"

namespace kelvo::dalk_kv21 {
namespace {

using Step = TStep<TDalkContext>;
constexpr auto Rec = Step::Rec;
constexpr Step Each(std::string_view source, Step::TFieldRule rule, std::string_view target = {}) {
  return Step::Each(source, target, rule);
}
constexpr Step Copy(std::string_view source, std::string_view target, char ind1, char ind2) {
  return Step::Copy(source, target, ind1, ind2);
}
// Copies in this group sort among the 500 notes.
constexpr int NoteSortGroup = 500;
constexpr Step CopyAsNotes(std::string_view source, std::string_view target) {
  return Step::Copy(source, target, Keep, Keep, NoteSortGroup);
}

constexpr std::array Steps{
    Rec(RuleLeader),                   // 1
    Rec(Rule001),                      // 2
    Rec(Rule008),                      // 3
    Each("029", Rule029),              // 4
    Rec(Rule041),                      // 5
    Each("350", Rule350),              // 6
    Rec(Rule081),                      // 7
    Rec(Rule100),                      // 8
    Each("110", RuleCorporateName),    // 9
    Each("111", RuleCorporateName),    //
    Copy("222", "222", Keep, Keep),    // 10
    Each("130", RuleUniformTitle),     // 11
    Each("240", RuleUniformTitle),     //
    Each("244", Rule244, "249"),       // 12
    Rec(RuleTitles),                   // 13, 14
    Each("246", Rule246),              // 15
    Rec(Rule250),                      // 16
    Copy("254", "254", Keep, Keep),    // 17
    Copy("255", "866", ' ', ' '),      // 18
    Each("256", Rule256, "255"),       // 19
    Each("257", RuleAWithB, "256"),    // 20
    Each("260", Rule260),              // 21
    Rec(RuleExtent),                   // 22
    Each("440", Rule440),              // 23
    Copy("500", "500", ' ', ' '),      // 24
    Each("502", RuleAWithB, "502"),    // 25
    CopyAsNotes("503", "500"),         // 26
    Each("503", Rule503),              // 27
    Rec(Rule503To020),                 // 28
    Copy("504", "504", ' ', ' '),      // 29
    Rec(RuleJoinedNotes),              // 30
    Each("508", Rule508),              // 31
    Copy("513", "520", ' ', ' '),      // 32
    Copy("514", "500", ' ', ' '),      // 33
    Copy("515", "538", ' ', ' '),      // 34
    Copy("521", "521", '8', ' '),      // 35
    Copy("531", "500", ' ', ' '),      // 36
    Rec(Rule538Numbers),               // 37
    Rec(Rule538To599),                 // 38
    Each("596", Rule596),              // 39
    Each("600", Rule600),              // 40
    Each("610", RuleCorporateSubject), // 41
    Each("611", RuleCorporateSubject), //
    Each("630", Rule630),              // 42
    Each("650", Rule650),              // 43
    Copy("651", "651", Keep, Keep),    // 44
    Copy("655", "655", Keep, Keep),    //
    Rec(Rule681),                      // 45
    Each("690", Rule690),              // 46
    Each("700", Rule700),              // 47
    Each("710", RuleCorporateEntry),   // 48
    Each("711", RuleCorporateEntry),   //
    Each("730", Rule730),              // 49
    Each("740", Rule740),              // 50
    Copy("759", "765", '0', '8'),      // 51
    Copy("762", "762", '0', '8'),      // 52
    Copy("769", "767", '0', '8'),      // 53
    Each("773", Rule773),              // 54
    Copy("779", "787", '0', '8'),      // 55
    Rec(Rule780And785),                // 56
    Copy("789", "770", '0', '8'),      // 57
    Each("800", Rule800),              // 58
    Each("840", Rule840),              // 59
    Each("856", Rule856),              // 60
    Copy("887", "887", Keep, Keep),    // 61
    Each("887", Rule887),              // 62
    Each("900", Rule900),              // 63
    Each("910", RuleLocalCorporate),   // 64
    Each("911", RuleLocalCorporate),   //
    Each("940", Rule940, "930"),       // 65
    Rec(Rule998),                      // 66
    Rec(RunFinalRules),                // 67
};

} // namespace

void TDalkIIToKv21::ConvertFields() {
  sourceTags_.Build(SourceRecord);
  TDalkContext context{{SourceRecord, OutRecord, sourceTags_},
                       *patterns_,
                       LocalAdaptation(),
                       SeparateProperWorks,
                       RecordClass};
  RunSteps<TDalkContext>(Steps, context);
}

} // namespace kelvo::dalk_kv21
