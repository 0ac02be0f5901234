#pragma once
// The record identifiers of profile 1: what ends up in 001 and which 035
// fields a record keeps. The old 001 moves into a 035 marked "(Voyager)", a
// Kelvo system number in a 035 can take over 001, repeated 035 go, and Kelvo
// numbers get their digits in $x.
#include "record/MarcRec.h"
#include <string>

#include "record/VoRegExpr.h"

namespace kelvo::sorvia_kv21 {

class TKv21Identifiers {
public:
  TKv21Identifiers();

  // Remembers the data of the first 001 (empty without one).
  void RememberId(const TMarcRec& rec);
  const std::string& RememberedId() const { return remembered001_; }
  // A Kelvo number of a 035, or else (unless voyagerIdKeep) a 035 $9, takes over 001.
  void TakeOverId(TMarcRec& rec, bool voyagerIdKeep);
  // The remembered 001 as a "(Voyager)" 035.
  void AddVoyagerId(TMarcRec& rec) const;
  // Removes repeats of the "(Voyager)" 035 and gives Kelvo numbers their $x.
  void TidyIdFields(TMarcRec& rec);

private:
  std::string remembered001_;
  TVoRegExpr kelvoNumber_;
  TVoRegExpr voyagerNumber_;
  TVoRegExpr kelvoId_;
  TVoRegExpr trailingDigits_;
};

} // namespace kelvo::sorvia_kv21
