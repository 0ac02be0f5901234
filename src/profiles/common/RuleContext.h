#pragma once
// What a field rule sees: the source record, the output record it adds to,
// the source fields by tag, and (in a profile's own context, derived from
// this one) that profile's options and compiled patterns. Nothing of the
// converter's files or counters.
#include <string_view>

#include "profiles/common/TagIndex.h"
#include "record/MarcRec.h"
#include "record/VoRegExpr.h"

namespace kelvo::common {

// A pattern compiled once, when its owner is made. Every profile keeps its
// patterns in an object of its own per converter, so no helper resets a
// pattern under its caller, and two converters can run on two threads.
class TPattern : public TVoRegExpr {
public:
  explicit TPattern(std::string_view pattern, bool nationalWordChars = true) : TVoRegExpr(nationalWordChars) {
    SetExpression(pattern);
  }
};

struct TRuleContext {
  const TMarcRec& Source;
  TMarcRec& Out;
  const TTagIndex& Tags;
};

} // namespace kelvo::common
