// The field rules of the vendor profile in their fixed order: ConvertNext
// calls ConvertFields for every record that is converted.
#include "profiles/vendor/DalkIIToKv21.h"
#include "record/vostr.h"

namespace kelvo {

// Until the rules of the profile are in place every source field is copied,
// and the 001 gets its Kelvo form (characters 4-10), which the collected part
// numbers are looked up by.
void TDalkIIToKv21::ConvertFields() {
  CopyAllFields();
  if (TMarcField *f001 = OutRecord.FindFieldPtr("001")) f001->Data = CopyDef(f001->Data, 4, 7);
}

} // namespace kelvo
