// Rules for numbers, codes, names and titles (020-260).
#include "profiles/dialect/DialectRules.h"
#include "profiles/dialect/Mrc21ToMrcKv.h"

namespace kelvo::dialect {

// PLACEHOLDER (rule group 020-260): every definition below produces nothing
// until the rules of this group are written; replace them all.
void Rule020(TMrc21ToMrcKv&) {}
void Rule022(TMrc21ToMrcKv&) {}
void Rule035(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void Rule041(TMrc21ToMrcKv&) {}
void Rule084(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void RuleDuplicateUniformTitle(TMrc21ToMrcKv&) {}
void Rule246(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void Rule249(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
const TFieldMap Map100{};
const TFieldMap Map110{};
const TFieldMap Map111{};
const TFieldMap Map130{};
const TFieldMap Map210{};
const TFieldMap Map222{};
const TFieldMap Map240{};
const TFieldMap Map245{};
const TFieldMap Map255{};
const TFieldMap Map260{};

} // namespace kelvo::dialect
