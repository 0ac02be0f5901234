#pragma once
// The passes over the converted record that follow the field rules.
#include "profiles/sorvia_dialect/DialectRules.h"
#include "record/MarcRec.h"

namespace kelvo::sorvia_dialect {

// Every subfield of out: one end-punctuation string removed, and an
// unbalanced parenthesis at either end dropped (fields 300 excepted).
void CleanSubfieldEndings(TMarcRec& out);
// Every subfield of every 300 field loses a final " +".
void StripPlusEndings(TMarcRec& out);
// The clean-ups after the rules: FinalCleanUps with the designation in $m,
// and a final ":" after a year from $k of 111 and 711.
void FinalCleanUp(TMarcRec& out, TDialectPatterns& patterns);

} // namespace kelvo::sorvia_dialect
