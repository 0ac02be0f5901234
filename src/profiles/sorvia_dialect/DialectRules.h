#pragma once
// The field rules that TMrc21ToMrcKv::ConvertFields runs, one group of tags
// a file. Every rule reads ctx.Source (through ctx.Tags) and appends to
// ctx.Out.
//
// Three shapes (the steps of common/StepEngine.h):
//   a record rule  runs once per record and finds its own source fields;
//   a field rule   runs for one source field and builds at most one output
//                  field under the target tag it is given;
//   TFieldMap      pure table rules, applied by ApplyFieldMap to each (or the
//                  first) source field.
#include "record/MarcRec.h"
#include <string_view>

#include "profiles/common/Common4All.h"
#include "profiles/common/FieldMap.h"
#include "profiles/common/RuleContext.h"

namespace kelvo::sorvia_dialect {

using namespace kelvo::common;

// The patterns of the profile's rules and clean-ups, compiled once per converter.
struct TDialectPatterns {
  TPattern Parenthesised{"\\(.{1,}\\)"}; // a system number or a title part: "(SE-LIBR)123"
  TPattern Isbn{"^[X0-9-]{10,13}"};
  TPattern MeetingYear{"\\d{4,4}\\:$"};
  TPattern Colon{"\\:$", false};
  TCleanUpPatterns CleanUps;
};

struct TDialectContext : TRuleContext {
  TDialectPatterns& Patterns;
};

// Leader and 008 (DialectLeader.cpp)
void ConvertLeader(TDialectContext& ctx);
void Convert008(TDialectContext& ctx);

// Numbers, codes, names and titles (DialectRules020_260.cpp)
void Rule020(TDialectContext& ctx); // each 020 -> 350 and 509
void Rule022(TDialectContext& ctx); // each 022 -> 022 and 509
void Rule035(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag); // -> 029
void Rule041(TDialectContext& ctx);                                                       // first 041 -> 041
void Rule084(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag); // -> 081 or 087
void RuleDuplicateUniformTitle(TDialectContext& ctx);                                     // output 240 vs 245
void Rule246(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag);
void Rule249(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag); // -> 244
extern const TFieldMap Map100;                                                            // first
extern const TFieldMap Map110;                                                            // first
extern const TFieldMap Map111;                                                            // first
extern const TFieldMap Map130;                                                            // each -> 240
extern const TFieldMap Map210;                                                            // each
extern const TFieldMap Map222;                                                            // each
extern const TFieldMap Map240;                                                            // each
extern const TFieldMap Map245;                                                            // first
extern const TFieldMap Map255;                                                            // each -> 256
extern const TFieldMap Map260;                                                            // first

// Description, series, notes and subjects (DialectRules300_697.cpp)
void RuleNoteMergeSemicolon(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag);
void RuleNoteMergeFullStop(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag);
void RuleFirstANote(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag);
void Rule650(TDialectContext& ctx); // each 650 -> 660 or 696
void Rule653(TDialectContext& ctx); // each 653 -> 653 or 697
extern const TFieldMap Map300;
extern const TFieldMap Map440;
extern const TFieldMap Map490;
extern const TFieldMap Map500;
extern const TFieldMap Map501;
extern const TFieldMap Map600;
extern const TFieldMap Map610;
extern const TFieldMap Map611;
extern const TFieldMap Map630; // -> 640
extern const TFieldMap Map651;

// Added entries, links, holdings and local fields (DialectRules700_976.cpp)
void Rule700(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag);
void Rule765(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag); // -> 759
void Rule773(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag);
void Rule785(TDialectContext& ctx); // each 785, copied or dropped
void Rule852(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag); // -> 096
void Rule856(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag);
void RuleLinkNumbers(TDialectContext& ctx); // $w of output 760, then 762
extern const TFieldMap Map710;
extern const TFieldMap Map711;
extern const TFieldMap Map730; // -> 740
extern const TFieldMap Map866; // -> 590
extern const TFieldMap Map900;
extern const TFieldMap Map910;
extern const TFieldMap Map911;
extern const TFieldMap Map930; // -> 940

} // namespace kelvo::sorvia_dialect
