#include "profiles/dalk_kv21/DalkRuleHelpers.h"

#include <array>

#include "record/vostr.h"

namespace kelvo::dalk_kv21 {

std::string FirstValue(const TMarcField& field, char code) {
  const TMarcSubField* subfield = field.FindSubfieldPtr(code);
  return subfield != nullptr ? subfield->Value : std::string();
}

std::string LastValue(const TMarcField& field, char code) {
  for (auto it = field.Subfields.rbegin(); it != field.Subfields.rend(); ++it)
    if ((*it)->Code == code) return (*it)->Value;
  return {};
}

void AppendNonBlank(std::string& text, std::string_view value, std::string_view separator) {
  if (!IsBlank(value)) AppendWithSep(text, value, separator);
}

bool QueueMappedCouples(TMarcRec& out, const TMarcField& source, std::span<const TCodeRow> map) {
  bool queued = false;
  for (const auto& subfield : source.Subfields) {
    const char to = Recode(map, subfield->Code);
    if (to == '\0' || IsBlank(subfield->Value)) continue;
    out.AddCouple(to, subfield->Value);
    queued = true;
  }
  return queued;
}

void AddMappedSubfields(TMarcField& target, const TMarcField& source, std::span<const TCodeRow> map) {
  for (const auto& subfield : source.Subfields) {
    const char to = Recode(map, subfield->Code);
    if (to != '\0' && !IsBlank(subfield->Value)) target.AddSubfield(to, subfield->Value);
  }
}

std::string_view RelatorCode(char ind2) {
  static constexpr std::array<std::string_view, 4> Codes{"oth", "pbl", "ill", "trl"};
  return ind2 >= '1' && ind2 <= '4' ? Codes[static_cast<std::size_t>(ind2 - '1')] : std::string_view();
}

void AddRelatorCode(TMarcField& field, char ind2) {
  if (const std::string_view code = RelatorCode(ind2); !code.empty()) field.AddSubfield('4', code);
}

std::string FilingForm(char indicator, std::string_view text) {
  if (indicator < '1' || indicator > '9') return {};
  const auto skip = static_cast<std::size_t>(indicator - '0');
  return skip < text.size() ? std::string(text.substr(skip)) : std::string();
}

std::unique_ptr<TMarcField> BuildCorporateName(TMarcRec& out, const TMarcField& source, std::string_view tag,
                                               const TCorporateForm& form) {
  auto field = out.NewField(tag, form.Ind1 == '\0' ? source.Ind1 : form.Ind1,
                            form.Ind2 == '\0' ? source.Ind2 : form.Ind2);
  const std::array<TCodeRow, 6> base{
      {{'a', 'a'}, {'c', form.K}, {'i', 'n'}, {'j', 'c'}, {'k', 'd'}, {'x', 'w'}}};
  TMarcSubField* last = nullptr;
  for (const auto& subfield : source.Subfields) {
    const std::string_view value = subfield->Value;
    if (subfield->Code == 'e') {
      if (last != nullptr && last->Code == form.K)
        last->AppendText(value, ", ");
      else if (!IsBlank(value))
        field->AddSubfield('g', value);
      continue;
    }
    if (IsBlank(value)) continue;
    if (const char to = Recode(base, subfield->Code); to != '\0')
      last = field->AddSubfield(to, value);
    else if (const char extra = Recode(form.Extra, subfield->Code); extra != '\0')
      field->AddSubfield(extra, value); // never the one an e is appended to
  }
  return field;
}

TMarcField* AddUnlessEmpty(TMarcRec& out, std::unique_ptr<TMarcField> field) {
  if (field->HasSubfields()) return out.AddField(std::move(field));
  out.Discard(std::move(field));
  return nullptr;
}

} // namespace kelvo::dalk_kv21
