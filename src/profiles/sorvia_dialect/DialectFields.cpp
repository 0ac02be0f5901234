// The rule sequence of the dialect conversion: which source tags become
// which output tags, in which order, by which rule.
#include <array>
#include <string_view>

#include "profiles/common/Common4All.h"
#include "profiles/common/StepEngine.h"
#include "profiles/sorvia_dialect/DialectRules.h"
#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"

namespace kelvo::sorvia_dialect {

namespace {

using Step = TStep<TDialectContext>;
constexpr auto Rec = Step::Rec;
constexpr auto Each = Step::Each;
constexpr auto EachMap = Step::EachMap;
constexpr auto FirstMap = Step::FirstMap;
constexpr Step Copy(std::string_view source, std::string_view target) { return Step::Copy(source, target); }

// Steps 1 to 62 of the sequence; the rest is done by ConvertFields itself.
constexpr std::array Steps{
    Rec(ConvertLeader),                         // 1
    Rec(Convert008),                            // 2
    Rec(Rule020),                               // 3
    Rec(Rule022),                               // 4
    Each("035", "029", Rule035),                // 5
    Rec(Rule041),                               // 6
    Each("084", "081", Rule084),                // 7
    FirstMap("100", Map100),                    // 8
    FirstMap("110", Map110),                    // 9
    FirstMap("111", Map111),                    // 10
    EachMap("130", "240", Map130),              // 11
    EachMap("210", "210", Map210),              // 12
    EachMap("222", "222", Map222),              // 13
    EachMap("240", "240", Map240),              // 14
    FirstMap("245", Map245),                    // 15
    Rec(RuleDuplicateUniformTitle),             // 16
    Each("246", "246", Rule246),                // 17
    Each("249", "244", Rule249),                // 18
    EachMap("255", "256", Map255),              // 19
    Copy("256", "257"),                         // 20
    FirstMap("260", Map260),                    // 21
    EachMap("300", "300", Map300),              // 22
    Copy("362", "255"),                         // 23
    EachMap("440", "440", Map440),              // 24
    EachMap("490", "490", Map490),              // 25
    EachMap("500", "500", Map500),              // 26
    EachMap("501", "501", Map501),              // 27
    Each("506", "500", RuleNoteMergeSemicolon), // 28
    Each("507", "500", RuleNoteMergeSemicolon), //
    Each("508", "500", RuleNoteMergeSemicolon), //
    Each("511", "500", RuleNoteMergeSemicolon), //
    Each("513", "500", RuleNoteMergeSemicolon), //
    Each("514", "500", RuleNoteMergeFullStop),  // 29
    Each("515", "500", RuleFirstANote),         // 30
    Each("516", "516", RuleFirstANote),         // 31
    Each("518", "500", RuleNoteMergeFullStop),  // 32
    Each("522", "500", RuleFirstANote),         // 33
    Each("524", "500", RuleNoteMergeFullStop),  // 34
    Copy("546", "506"),                         // 35
    Copy("599", "790"),                         // 36
    EachMap("600", "600", Map600),              // 37
    EachMap("610", "610", Map610),              // 38
    EachMap("611", "611", Map611),              // 39
    EachMap("630", "640", Map630),              // 40
    Rec(Rule650),                               // 41
    EachMap("651", "651", Map651),              // 42
    Rec(Rule653),                               // 43
    Each("700", "700", Rule700),                // 44
    EachMap("710", "710", Map710),              // 45
    EachMap("711", "711", Map711),              // 46
    EachMap("730", "740", Map730),              // 47
    Each("765", "759", Rule765),                // 48
    Copy("770", "789"),                         // 49
    Copy("772", "779"),                         // 50
    Each("773", "773", Rule773),                // 51
    Copy("775", "769"),                         // 52
    Rec(Rule785),                               // 53
    Copy("830", "840"),                         // 54
    Each("852", "096", Rule852),                // 55
    Each("856", "856", Rule856),                // 56
    EachMap("866", "590", Map866),              // 57
    EachMap("900", "900", Map900),              // 58
    EachMap("910", "910", Map910),              // 59
    EachMap("911", "911", Map911),              // 60
    EachMap("930", "940", Map930),              // 61
    Copy("976", "972"),                         // 62
};

} // namespace

// Fields carried to the output as they are, in this order.
constexpr std::array<std::string_view, 110> UnchangedTags{
    "007", "010", "013", "015", "016", "017", "018", "024", "027", "028", "030", "034", "037", "040",
    "042", "043", "044", "045", "046", "047", "048", "050", "051", "052", "060", "061", "066", "070",
    "071", "072", "074", "080", "082", "086", "088", "242", "243", "247", "250", "254", "263", "270",
    "306", "307", "310", "321", "340", "342", "343", "351", "352", "355", "357", "502", "504", "505",
    "510", "520", "521", "525", "526", "530", "533", "534", "535", "536", "538", "540", "541", "542",
    "545", "547", "550", "552", "555", "556", "561", "562", "565", "567", "580", "581", "583", "584",
    "585", "586", "654", "655", "656", "657", "658", "720", "740", "752", "753", "754", "760", "762",
    "767", "774", "776", "777", "780", "786", "787", "800", "810", "811", "886", "950"};

void TMrc21ToMrcKv::ConvertFields() {
  sourceTags_.Build(SourceRecord);
  TDialectContext context{{SourceRecord, OutRecord, sourceTags_}, *patterns_};
  RunSteps<TDialectContext>(Steps, context);

  for (std::string_view tag : UnchangedTags)
    CopyFieldsAs(sourceTags_, OutRecord, tag, tag); // 63

  RuleLinkNumbers(context); // 64

  if (sourceTags_.First("772") != nullptr) AddStampField("FbM21", "522"); // 65

  for (const auto& field : OutRecord.Fields) // 66
    if (field->HasTag("600") || field->HasTag("610") || field->HasTag("611") || field->HasTag("640"))
      field->Ind2 = ' ';
}

} // namespace kelvo::sorvia_dialect
