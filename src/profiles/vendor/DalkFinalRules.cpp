// The rules that run after every other field rule, in their order.
#include "profiles/vendor/DalkIIToKv21.h"
#include "profiles/vendor/DalkRules.h"
#include "record/vostr.h"

namespace kelvo::dalk {

// PLACEHOLDER: every definition below produces nothing until the rules of
// this group are written; replace them all.
void RunFinalRules(TDalkIIToKv21& kv) {
  if (TMarcField* f001 = kv.OutRecord.FindFieldPtr("001"))
    f001->Data = CopyDef(f001->Data, 4, 7);
}

} // namespace kelvo::dalk
