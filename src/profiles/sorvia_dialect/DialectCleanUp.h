#pragma once
// The passes over the converted record that follow the field rules.
#include "record/MarcRec.h"

namespace kelvo::sorvia_dialect {

// Every subfield of out: one end-punctuation string removed, and an
// unbalanced parenthesis at either end dropped (fields 300 excepted).
void CleanSubfieldEndings(TMarcRec& out);
// Every subfield of every 300 field loses a final " +".
void StripPlusEndings(TMarcRec& out);
// $m "Recension" or "Artikel" on the first 245 of articles without a $m.
void AddArticleDesignation(TMarcRec& out);

} // namespace kelvo::sorvia_dialect
