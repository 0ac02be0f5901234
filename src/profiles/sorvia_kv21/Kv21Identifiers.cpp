#include "profiles/sorvia_kv21/Kv21Identifiers.h"

#include <string_view>

#include "record/MarcRec.h"
#include "record/vostr.h"

namespace kelvo::sorvia_kv21 {

namespace {

// "(KV", letters or digits, ")" and the 14 digits of a Kelvo system number.
constexpr std::string_view kKelvoNumber = "^\\(KV[A-Za-z\xc5\xc4\xd6\xe5\xe4\xf6"
                                          "0-9]{1,}\\)[0-9]{14,14}$";
constexpr std::string_view kVoyagerNumber = "^\\(Voyager\\)[0-9]{1,}$";
constexpr std::string_view kKelvoId = "^\\(KV.{1,}\\)[0-9]{1,}$";
constexpr std::string_view kTrailingDigits = "[0-9]{1,}$";
constexpr std::size_t kKelvoNumberDigits = 14;

void AddVoyagerField(TMarcRec& rec, const std::string& id) {
  rec.AddFieldFromArrays("035", ' ', ' ', "ax", {"(Voyager)" + id, id});
}

} // namespace

TKv21Identifiers::TKv21Identifiers() {
  kelvoNumber_.SetExpression(kKelvoNumber);
  voyagerNumber_.SetExpression(kVoyagerNumber);
  kelvoId_.SetExpression(kKelvoId);
  trailingDigits_.SetExpression(kTrailingDigits);
}

void TKv21Identifiers::RememberId(const TMarcRec& rec) { remembered001_ = rec.FieldData("001"); }

void TKv21Identifiers::TakeOverId(TMarcRec& rec, bool voyagerIdKeep) {
  TMarcField* id = rec.FindFieldPtr("001");
  if (id == nullptr) id = rec.AddControlField("001", "");
  const std::string old = id->Data;

  // The walks end at their first hit, so the 035 added there is never visited.
  for (std::size_t i = 0; i < rec.Fields.size(); ++i) {
    const TMarcField& field = *rec.Fields[i];
    const TMarcSubField* a = field.HasTag("035") ? field.FindSubfieldPtr('a') : nullptr;
    if (a == nullptr) continue;
    const std::string_view value = TrimView(a->Value);
    if (kelvoNumber_.Exec(value)) {
      id->Data = value.substr(value.size() - kKelvoNumberDigits);
      if (!IsBlank(old)) AddVoyagerField(rec, old);
      return;
    }
  }
  if (voyagerIdKeep) return;
  for (std::size_t i = 0; i < rec.Fields.size(); ++i) {
    const TMarcField& field = *rec.Fields[i];
    const TMarcSubField* nine = field.HasTag("035") ? field.FindSubfieldPtr('9') : nullptr;
    if (nine == nullptr || IsBlank(nine->Value)) continue;
    id->Data = nine->Value;
    if (!IsBlank(old)) AddVoyagerField(rec, old);
    return;
  }
}

void TKv21Identifiers::AddVoyagerId(TMarcRec& rec) const {
  if (!IsBlank(remembered001_)) AddVoyagerField(rec, remembered001_);
}

void TKv21Identifiers::TidyIdFields(TMarcRec& rec) {
  // The first 035 with a "(Voyager)" number in some $a is kept; later 035
  // whose first $a repeats its first $a go.
  const TMarcField* reference = nullptr;
  for (const auto& field : rec.Fields) {
    if (!field->HasTag("035")) continue;
    for (const auto& subfield : field->Subfields) {
      if (subfield->Code == 'a' && voyagerNumber_.Exec(subfield->Value)) {
        reference = field.get();
        break;
      }
    }
    if (reference != nullptr) break;
  }
  if (reference != nullptr) {
    const std::string referenceA = reference->FindSubfieldPtr('a')->Value;
    for (std::size_t i = rec.Fields.size(); i-- > 0;) {
      const TMarcField* field = rec.Fields[i].get();
      if (field == reference || !field->HasTag("035")) continue;
      const TMarcSubField* a = field->FindSubfieldPtr('a');
      if (a != nullptr && a->Value == referenceA) rec.DeleteField(field);
    }
  }

  for (const auto& field : rec.Fields) {
    const TMarcSubField* a = field->HasTag("035") ? field->FindSubfieldPtr('a') : nullptr;
    if (a == nullptr || field->HasSubfield('x')) continue;
    if (kelvoId_.Exec(a->Value) && trailingDigits_.Exec(a->Value))
      field->AddSubfield('x', trailingDigits_.Match());
  }
}

} // namespace kelvo::sorvia_kv21
