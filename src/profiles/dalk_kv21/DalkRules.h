#pragma once
// The field rules that TDalkIIToKv21::ConvertFields runs (DalkRuleOrder.cpp
// holds their order), one group of tags a file. Every rule reads
// ctx.Source (through ctx.Tags) and adds to ctx.Out; its patterns are
// ctx.Patterns, compiled once per converter.
//
// Two shapes (the steps of common/StepEngine.h):
//   a record rule  runs once per record and finds its own source fields;
//   a field rule   runs for every source field with a tag and is given the
//                  tag its output goes under.
#include <string_view>

#include "profiles/common/RuleContext.h"
#include "profiles/dalk_kv21/Mrc2KvBase.h"
#include "record/MarcRec.h"

namespace kelvo::dalk_kv21 {

using namespace kelvo::common;

class TLocalAdaptation;

struct TDalkPatterns {
  TPattern ParallelTitleEnd{R"(( {0,}\/$)|( {0,}\.$)|( {0,}\:$))"};
  TPattern Quoted{R"(^\".{0,}\"$)"};
  TPattern TitleEnd{R"(( \:$)|( \/$))"};
  TPattern MediumRest{R"(^[\.\;\,\: ]{1,})"};
  TPattern Year{"[12][7890][0-9]{2,2}"};
  TPattern Isbn503{R"((ISBN [0-9X-]{10,13}$)|(ISBN [[0-9-]{13,17}$))"};
  // Captions of a 503 that name the work a record was read or copied from,
  // and of the readers of a talking book.
  TPattern ReadFrom{R"(^[Ii]nl.st ur[\x3A\x20])"};
  TPattern CopiedFrom{R"(^[Kk]opierad fr.n[\x3A\x20])"};
  TPattern Readers{R"(^[Ii]nl.sare:)"};
  TPattern OnlyZeros{"^0{1,}$"};
  // A title that begins with "." or "-", and the first character it files by.
  TPattern LeadingMark{R"(^[\.\-])"};
  TPattern FilingChar{R"([\w\d\xA1-\xA5\xC0-\xC3\xC6-\xD5\xD7-\xE3\xE6-\xF5\xF8-\xFF])"};
};

struct TDalkContext : TRuleContext {
  TDalkPatterns& Patterns;
  const TLocalAdaptation& Adaptation;
  bool SeparateProperWorks;
  TMultiVolumeLevel RecordClass;
};

// Leader, control fields, codes and numbers (DalkRules000_099.cpp)
void RuleLeader(TDalkContext& ctx);                                                 // "000"
void Rule001(TDalkContext& ctx);                                                    // first 001
void Rule008(TDalkContext& ctx);                                                    // 008
void Rule029(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // each 029
void Rule041(TDalkContext& ctx);                                                    // first 041
void Rule081(TDalkContext& ctx);        // first 081: 084, 852, 600, 610, 008/22
void Rule538Numbers(TDalkContext& ctx); // 538 -> 024 and 028
void Rule538To599(TDalkContext& ctx);   // 538 Ind1 "7" -> 599
void Rule503To020(TDalkContext& ctx);   // 503 -> 020 when the adaptation says so

// After every other rule, in their order: 596 from the adaptation, the 001
// cut, 029 from 001, the language move, the 245 clean-up and part title, 007
// from the media codes, 008/33 and the stamp (DalkFinalRules.cpp).
void RunFinalRules(TDalkContext& ctx);

// Headings, titles, edition, publication, extent and series (DalkRules100_440.cpp)
void Rule100(TDalkContext& ctx);                                                              // first 100
void RuleCorporateName(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // 110, 111
void RuleUniformTitle(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);  // 130, 240
void Rule244(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);           // -> 249
void RuleTitles(TDalkContext& ctx); // parallel titles of the first 245 to 246, then every 245
void Rule246(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);    // -> 246 or 247
void Rule250(TDalkContext& ctx);                                                       // first 250
void Rule256(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);    // -> 255
void RuleAWithB(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // 257 -> 256, 502
void Rule260(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void RuleExtent(TDalkContext& ctx); // 300 or 531 -> 300, by SeparateProperWorks
void Rule440(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);

// Standard numbers, notes and subjects (DalkRules350_690.cpp)
void Rule350(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void Rule503(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // -> 596 $a
void RuleJoinedNotes(TDalkContext& ctx); // 505, 506, 507 -> 505, 546, 550
void Rule508(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // readers -> 700
void Rule596(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // -> 599, 035, 520
void Rule600(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void RuleCorporateSubject(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // 610, 611
void Rule630(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void Rule650(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // -> 660 or copy
void Rule681(TDalkContext& ctx);                                                    // first 681 -> 976
void Rule690(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // -> 653
// Final rule 1: the media texts of the adaptation into 596 $h and $m.
void Rule596FromAdaptation(TDalkContext& ctx);

// Added entries, links, series entries and local fields (DalkRules700_998.cpp)
void Rule700(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void RuleCorporateEntry(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // 710, 711
void Rule730(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void Rule740(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void Rule773(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void Rule780And785(TDalkContext& ctx); // first 780 and first 785
void Rule800(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void Rule840(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void Rule856(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void Rule887(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // -> 760, 491
void Rule900(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);
void RuleLocalCorporate(TDalkContext& ctx, const TMarcField& source, std::string_view newTag); // 910, 911
void Rule940(TDalkContext& ctx, const TMarcField& source, std::string_view newTag);            // -> 930
void Rule998(TDalkContext& ctx); // first 998 -> 856

} // namespace kelvo::dalk_kv21
