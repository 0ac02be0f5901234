// Rules for headings, titles, edition, publication, extent and series (100-440).
#include "profiles/vendor/DalkIIToKv21.h"
#include "profiles/vendor/DalkRules.h"

namespace kelvo::dalk {

// PLACEHOLDER: every definition below produces nothing until the rules of
// this group are written; replace them all.
void Rule100(TDalkIIToKv21&) {}
void RuleCorporateName(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void RuleUniformTitle(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule244(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void RuleTitles(TDalkIIToKv21& kv) { kv.CopyFieldsAs("245", "245", '\0', '\0'); }
void Rule246(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule250(TDalkIIToKv21&) {}
void Rule256(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void RuleAWithB(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule260(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void RuleExtent(TDalkIIToKv21&) {}
void Rule440(TDalkIIToKv21&, const TMarcField&, std::string_view) {}

} // namespace kelvo::dalk
