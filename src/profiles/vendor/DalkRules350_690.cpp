// Rules for standard numbers, notes and subjects (350-690).
#include "profiles/vendor/DalkIIToKv21.h"
#include "profiles/vendor/DalkRules.h"

namespace kelvo::dalk {

// PLACEHOLDER: every definition below produces nothing until the rules of
// this group are written; replace them all.
void Rule350(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule503(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void RuleJoinedNotes(TDalkIIToKv21&) {}
void Rule508(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule596(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule600(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void RuleCorporateSubject(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule630(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule650(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule681(TDalkIIToKv21&) {}
void Rule690(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule596FromAdaptation(TDalkIIToKv21&) {}

} // namespace kelvo::dalk
