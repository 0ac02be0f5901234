// libFuzzer target: one ISO 2709 record text through the reader, the record
// built from it and its line-format rendering. The objects are reused between
// inputs as a converter reuses them between records.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "record/Iso2709.h"
#include "record/MarcRec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static kelvo::TIso2709 reader;
  static kelvo::TMarcRec rec;
  static std::string value;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  kelvo::BuildRecordFromIso(reader, text, rec);
  rec.ApplyFilter = false;
  const std::string rendered = rec.AsText();

  // The reader on its own: whatever an entry says, a field is part of the text.
  const int count = reader.FieldCount();
  if (static_cast<std::size_t>(count) * 12 > size || reader.Directory().size() > size) __builtin_trap();
  for (int i = 0; i < count; ++i) {
    const kelvo::TIsoFldClass& fld = reader.GetField(i);
    if (fld.Data.size() > size || fld.Tag.size() != 3) __builtin_trap();
    // Subfield(n) searches from the start, so only the first few and the one
    // past the last, which must be none.
    const int subfields = fld.SubfieldCount();
    char code = 0;
    for (int n = 1; n <= subfields && n <= 8; ++n)
      fld.Subfield(n, code, value);
    fld.Subfield(subfields + 1, code, value);
    if (code != 0) __builtin_trap();
  }
  if (rendered.size() < 4) __builtin_trap(); // the leader line "*000" at least
  return 0;
}
