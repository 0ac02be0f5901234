// libFuzzer target: one line-format record text parsed, rendered again, and
// put through the two output variants of the writer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "record/LineFormat.h"
#include "record/MarcRec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kelvo::TMarcRec rec;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  rec.ParseText(text);
  rec.ApplyFilter = false;
  const std::string rendered = rec.AsText();
  kelvo::RemoveDuplicateLinesText(rendered);
  kelvo::SubfieldLinesText(rendered);
  // The variants also run on raw input: the writer may be handed any text.
  kelvo::RemoveDuplicateLinesText(text);
  kelvo::SubfieldLinesText(text);
  return 0;
}
