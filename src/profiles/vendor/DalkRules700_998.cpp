// Rules for added entries, links, series entries and local fields (700-998).
#include "profiles/vendor/DalkIIToKv21.h"
#include "profiles/vendor/DalkRules.h"

namespace kelvo::dalk {

// PLACEHOLDER: every definition below produces nothing until the rules of
// this group are written; replace them all.
void Rule700(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void RuleCorporateEntry(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule730(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule740(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule773(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule780And785(TDalkIIToKv21&) {}
void Rule800(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule840(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule856(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule887(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule900(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void RuleLocalCorporate(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule940(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule998(TDalkIIToKv21&) {}

} // namespace kelvo::dalk
