#pragma once
// What profile 1 tidies after its field rules: unbalanced brackets, final
// periods, the brackets of 245 $h, "ISBN"/"ISSN" before linked numbers, the
// designation of reviews and articles, and the "+" of accompanying material.
#include <string>
#include <string_view>

#include "profiles/common/Common4All.h"
#include "record/MarcRec.h"

namespace kelvo::sorvia_kv21 {

// s without the one bracket of the pair that has no partner at its start or end.
std::string_view FixBrackets(std::string_view s, char open, char close);
// FixBrackets on every subfield whose brackets do not pair up.
void BalanceBrackets(TMarcRec& rec);

// The patterns of the clean-ups, compiled once per converter.
struct TKv21CleanUpPatterns {
  common::TPattern OpeningBracket{"^\\["};
  common::TPattern OpeningBracketInner{"^\\[", false};
  common::TPattern ClosingBracket{"\\]$"};
  common::TPattern ClosingBracketInner{"\\]$", false};
  common::TCleanUpPatterns CleanUps;
};

// The clean-ups of the output record after the field rules, in their order:
// the brackets around 245 $h, FinalCleanUps with the designation in $h, and
// StripAccompanyingPlus.
void ApplyCleanUps(TMarcRec& rec, TKv21CleanUpPatterns& patterns);

// 300 $e "+ 1 CD" becomes "1 CD".
void StripAccompanyingPlus(TMarcRec& rec);

} // namespace kelvo::sorvia_kv21
