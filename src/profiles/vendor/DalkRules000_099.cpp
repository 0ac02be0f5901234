// Rules for the leader, control fields, codes and numbers.
#include "profiles/vendor/DalkIIToKv21.h"
#include "profiles/vendor/DalkRules.h"

namespace kelvo::dalk {

// PLACEHOLDER: every definition below produces nothing until the rules of
// this group are written; replace them all.
void RuleLeader(TDalkIIToKv21&) {}
void Rule008(TDalkIIToKv21&) {}
void Rule029(TDalkIIToKv21&, const TMarcField&, std::string_view) {}
void Rule041(TDalkIIToKv21&) {}
void Rule081(TDalkIIToKv21&) {}
void Rule538Numbers(TDalkIIToKv21&) {}
void Rule538To599(TDalkIIToKv21&) {}
void Rule503To020(TDalkIIToKv21&) {}

} // namespace kelvo::dalk
