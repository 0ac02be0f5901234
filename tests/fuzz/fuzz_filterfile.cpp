// libFuzzer target: a filter file's text cut into lines, joined and set as a
// record's filter. The entries come out sorted, each once, none blank or
// holding a space, and a record renders with them.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/FilterFile.h"
#include "record/MarcRec.h"
#include "record/vostr.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kelvo::TMarcRec rec;
  rec.SetFilter(kelvo::JoinFilterLines(kelvo::SplitFilterLines(text)));
  const auto& entries = rec.FilterEntries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (kelvo::IsBlank(entries[i]) || entries[i].find(' ') != std::string::npos) __builtin_trap();
    if (i > 0 && kelvo::CompareText(entries[i - 1], entries[i]) >= 0) __builtin_trap();
  }
  rec.AddControlField("001", "A1");
  kelvo::TMarcField* title = rec.AddField("245", '1', '0');
  title->AddSubfield('a', "Titel");
  title->AddSubfield('c', "Namn");
  rec.AddField("650")->AddSubfield('x', "Fisk");
  rec.AsText();
  return 0;
}
