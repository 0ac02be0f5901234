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
  // The writer's one pass gives what the two give in turn.
  static kelvo::TLineVariants variants;
  static std::string both;
  both.clear();
  variants.Append(both, text, true, true);
  if (both != kelvo::SubfieldLinesText(kelvo::RemoveDuplicateLinesText(text))) __builtin_trap();
  return 0;
}
