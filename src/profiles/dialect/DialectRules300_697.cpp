// Rules for the description, series, notes and subjects (300-697).
#include "profiles/dialect/DialectRules.h"
#include "profiles/dialect/Mrc21ToMrcKv.h"

namespace kelvo::dialect {

// PLACEHOLDER (rule group 300-697): every definition below produces nothing
// until the rules of this group are written; replace them all.
void RuleNoteMergeSemicolon(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void RuleNoteMergeFullStop(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void RuleFirstANote(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void Rule650(TMrc21ToMrcKv&) {}
void Rule653(TMrc21ToMrcKv&) {}
const TFieldMap Map300{};
const TFieldMap Map440{};
const TFieldMap Map490{};
const TFieldMap Map500{};
const TFieldMap Map501{};
const TFieldMap Map600{};
const TFieldMap Map610{};
const TFieldMap Map611{};
const TFieldMap Map630{};
const TFieldMap Map651{};

} // namespace kelvo::dialect
