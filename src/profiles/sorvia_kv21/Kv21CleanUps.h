#pragma once
// What profile 1 tidies after its field rules: unbalanced brackets, final
// periods, the brackets of 245 $h, "ISBN"/"ISSN" before linked numbers, the
// designation of reviews and articles, and the "+" of accompanying material.
#include <string>
#include <string_view>
#include <vector>

#include "convert/KonvBase.h"
#include "record/MarcRec.h"

namespace kelvo::sorvia_kv21 {

// s without the one bracket of the pair that has no partner at its start or end.
std::string FixBrackets(std::string_view s, char open, char close);
// FixBrackets on every subfield whose brackets do not pair up.
void BalanceBrackets(TMarcRec& rec);

class TKv21CleanUps {
public:
  TKv21CleanUps();
  // Clean-ups of konv's output record, in their order.
  void Apply(TKonvBase& konv) const;

private:
  struct TTagList {
    std::vector<std::string> Tags;
    std::string Codes;
  };
  std::vector<TTagList> tagLists_; // one per expression clean-up over a tag list
};

// A review or article without $h gets one in its 245.
void DesignateReviewOrArticle(TMarcRec& rec);
// 300 $e "+ 1 CD" becomes "1 CD".
void StripAccompanyingPlus(TMarcRec& rec);

} // namespace kelvo::sorvia_kv21
