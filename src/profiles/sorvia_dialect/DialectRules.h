#pragma once
// The field rules that TMrc21ToMrcKv::ConvertFields runs, one group of tags
// a file. Every rule reads kv.SourceRecord and appends to kv.OutRecord.
//
// Three shapes:
//   TRecordRule  runs once per record and finds its own source fields;
//   TFieldRule   runs for one source field (through ForEachField) and builds
//                at most one output field under the target tag it is given;
//   TFieldMap    pure table rules, applied by ApplyFieldMap to each (or the
//                first) source field.
#include "record/MarcRec.h"
#include <string_view>

#include "profiles/sorvia_dialect/DialectHelpers.h"

namespace kelvo::sorvia_dialect {

class TMrc21ToMrcKv;

using TRecordRule = void (*)(TMrc21ToMrcKv& kv);
using TFieldRule = void (*)(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag);

// Leader and 008 (DialectLeader.cpp)
void ConvertLeader(TMrc21ToMrcKv& kv);
void Convert008(TMrc21ToMrcKv& kv);

// Numbers, codes, names and titles (DialectRules020_260.cpp)
void Rule020(TMrc21ToMrcKv& kv); // each 020 -> 350 and 509
void Rule022(TMrc21ToMrcKv& kv); // each 022 -> 022 and 509
void Rule035(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag); // -> 029
void Rule041(TMrc21ToMrcKv& kv);                                                       // first 041 -> 041
void Rule084(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag); // -> 081 or 087
void RuleDuplicateUniformTitle(TMrc21ToMrcKv& kv);                                     // output 240 vs 245
void Rule246(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag);
void Rule249(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag); // -> 244
extern const TFieldMap Map100;                                                         // first
extern const TFieldMap Map110;                                                         // first
extern const TFieldMap Map111;                                                         // first
extern const TFieldMap Map130;                                                         // each -> 240
extern const TFieldMap Map210;                                                         // each
extern const TFieldMap Map222;                                                         // each
extern const TFieldMap Map240;                                                         // each
extern const TFieldMap Map245;                                                         // first
extern const TFieldMap Map255;                                                         // each -> 256
extern const TFieldMap Map260;                                                         // first

// Description, series, notes and subjects (DialectRules300_697.cpp)
void RuleNoteMergeSemicolon(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag);
void RuleNoteMergeFullStop(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag);
void RuleFirstANote(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag);
void Rule650(TMrc21ToMrcKv& kv); // each 650 -> 660 or 696
void Rule653(TMrc21ToMrcKv& kv); // each 653 -> 653 or 697
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
void Rule700(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag);
void Rule765(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag); // -> 759
void Rule773(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag);
void Rule785(TMrc21ToMrcKv& kv); // each 785, copied or dropped
void Rule852(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag); // -> 096
void Rule856(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag);
void RuleLinkNumbers(TMrc21ToMrcKv& kv); // $w of output 760, then 762
extern const TFieldMap Map710;
extern const TFieldMap Map711;
extern const TFieldMap Map730; // -> 740
extern const TFieldMap Map866; // -> 590
extern const TFieldMap Map900;
extern const TFieldMap Map910;
extern const TFieldMap Map911;
extern const TFieldMap Map930; // -> 940

} // namespace kelvo::sorvia_dialect
