// Rules for added entries, links, holdings and local fields (700-976).
#include "profiles/dialect/DialectRules.h"
#include "profiles/dialect/Mrc21ToMrcKv.h"

namespace kelvo::dialect {

// PLACEHOLDER (rule group 700-976): every definition below produces nothing
// until the rules of this group are written; replace them all.
void Rule700(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void Rule765(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void Rule773(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void Rule785(TMrc21ToMrcKv&) {}
void Rule852(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void Rule856(TMrc21ToMrcKv&, const TMarcField&, std::string_view) {}
void RuleLinkNumbers(TMrc21ToMrcKv&) {}
const TFieldMap Map710{};
const TFieldMap Map711{};
const TFieldMap Map730{};
const TFieldMap Map866{};
const TFieldMap Map900{};
const TFieldMap Map910{};
const TFieldMap Map911{};
const TFieldMap Map930{};

} // namespace kelvo::dialect
