#pragma once
// The field rules that TDalkIIToKv21::ConvertFields runs (DalkRuleOrder.cpp
// holds their order), one group of tags a file. Every rule reads
// kv.SourceRecord and adds to kv.OutRecord; patterns go through kv.RegEx,
// which compiles each of them once per converter.
//
// Two shapes:
//   TDalkRecordRule  runs once per record and finds its own source fields;
//   TDalkFieldRule   runs for every source field with a tag (ForEachField)
//                    and is given the tag its output goes under.
#include "record/MarcRec.h"
#include <string_view>

namespace kelvo::dalk_kv21 {

class TDalkIIToKv21;

using TDalkRecordRule = void (*)(TDalkIIToKv21& kv);
using TDalkFieldRule = void (*)(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);

// Leader, control fields, codes and numbers (DalkRules000_099.cpp)
void RuleLeader(TDalkIIToKv21& kv);                                                 // "000"
void Rule001(TDalkIIToKv21& kv);                                                    // first 001
void Rule008(TDalkIIToKv21& kv);                                                    // 008
void Rule029(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // each 029
void Rule041(TDalkIIToKv21& kv);                                                    // first 041
void Rule081(TDalkIIToKv21& kv);        // first 081: 084, 852, 600, 610, 008/22
void Rule538Numbers(TDalkIIToKv21& kv); // 538 -> 024 and 028
void Rule538To599(TDalkIIToKv21& kv);   // 538 Ind1 "7" -> 599
void Rule503To020(TDalkIIToKv21& kv);   // 503 -> 020 when the adaptation says so

// After every other rule, in their order: 596 from the adaptation, the 001
// cut, 029 from 001, the language move, the 245 clean-up and part title, 007
// from the media codes, 008/33 and the stamp (DalkFinalRules.cpp).
void RunFinalRules(TDalkIIToKv21& kv);

// Headings, titles, edition, publication, extent and series (DalkRules100_440.cpp)
void Rule100(TDalkIIToKv21& kv);                                                              // first 100
void RuleCorporateName(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // 110, 111
void RuleUniformTitle(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);  // 130, 240
void Rule244(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);           // -> 249
void RuleTitles(TDalkIIToKv21& kv); // parallel titles of the first 245 to 246, then every 245
void Rule246(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);    // -> 246 or 247
void Rule250(TDalkIIToKv21& kv);                                                       // first 250
void Rule256(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);    // -> 255
void RuleAWithB(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // 257 -> 256, 502
void Rule260(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void RuleExtent(TDalkIIToKv21& kv); // 300 or 531 -> 300, by SeparateProperWorks
void Rule440(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);

// Standard numbers, notes and subjects (DalkRules350_690.cpp)
void Rule350(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void Rule503(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // -> 596 $a
void RuleJoinedNotes(TDalkIIToKv21& kv); // 505, 506, 507 -> 505, 546, 550
void Rule508(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // readers -> 700
void Rule596(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // -> 599, 035, 520
void Rule600(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void RuleCorporateSubject(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // 610, 611
void Rule630(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void Rule650(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // -> 660 or copy
void Rule681(TDalkIIToKv21& kv);                                                    // first 681 -> 976
void Rule690(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // -> 653
// Final rule 1: the media texts of the adaptation into 596 $h and $m.
void Rule596FromAdaptation(TDalkIIToKv21& kv);

// Added entries, links, series entries and local fields (DalkRules700_998.cpp)
void Rule700(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void RuleCorporateEntry(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // 710, 711
void Rule730(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void Rule740(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void Rule773(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void Rule780And785(TDalkIIToKv21& kv); // first 780 and first 785
void Rule800(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void Rule840(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void Rule856(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void Rule887(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // -> 760, 491
void Rule900(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);
void RuleLocalCorporate(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag); // 910, 911
void Rule940(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag);            // -> 930
void Rule998(TDalkIIToKv21& kv); // first 998 -> 856

} // namespace kelvo::dalk_kv21
