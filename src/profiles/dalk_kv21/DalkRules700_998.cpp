// Rules for added entries, links, series entries and local fields (700-998).
#include <memory>
#include <string>
#include <string_view>

#include "profiles/dalk_kv21/DalkIIToKv21.h"
#include "profiles/dalk_kv21/DalkRuleHelpers.h"
#include "profiles/dalk_kv21/DalkRules.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

// Personal added entries: the name, its dates and additions, the title.
constexpr TCodeMap PersonalEntry{"acdefgltu", "adcbccctt"};
// Series added entries under a personal name keep the volume and the ISSN as $w.
constexpr TCodeMap PersonalSeries{"acdefgltuvx", "adcbcccttvw"};
// The vendor's local personal names (900).
constexpr TCodeMap LocalPersonal{"acdefgltu", "adcbccctu"};
constexpr TCodeMap UniformTitleEntry{"adhkpqrs", "amrokflp"};
constexpr TCodeMap TitleEntry{"an", "ap"};
constexpr TCodeMap HostItem{"bdgkntxzosw", "bdgkntxzhpo"};
// 940 to 930; e and f, which collect into one $n, are handled apart.
constexpr TCodeMap LocalUniformTitle{"adhkpqrsux", "amrokflpuw"};

// Only zeros: a link number that stands for no record.
constexpr std::string_view OnlyZeros = "^0{1,}$";

// The local fields code their second indicator as "s" for "0", "k" otherwise.
constexpr char LocalInd2(char ind2) { return ind2 == '0' ? 's' : 'k'; }

// A new field with the mapped subfields of source; none when nothing was mapped.
std::unique_ptr<TMarcField> Mapped(const TMarcField& source, std::string_view tag, char ind1, char ind2,
                                   const TCodeMap& map) {
  auto field = std::make_unique<TMarcField>(tag, ind1, ind2);
  AddMappedSubfields(*field, source, map);
  return field;
}

// The first $a of source without its first N characters, N the digit of
// indicator, as the $w the title is filed under.
void AddFilingForm(TMarcField& field, const TMarcField& source, char indicator) {
  const TMarcSubField* a = source.FindSubfieldPtr('a');
  if (a == nullptr) return;
  if (const std::string filed = FilingForm(indicator, a->Value); !IsBlank(filed))
    field.AddSubfield('w', filed);
}

// An added entry with the relator code of the source's second indicator; the
// code alone is enough for the field to be added.
void AddWithRelator(TDalkIIToKv21& kv, std::unique_ptr<TMarcField> field, char ind2) {
  AddRelatorCode(*field, ind2);
  AddUnlessEmpty(kv.OutRecord, std::move(field));
}

bool IsMeeting(std::string_view tag) { return tag.size() == 3 && tag[1] == '1' && tag[2] == '1'; }

// The first field with the tag: what follows the first colon of its first
// $t becomes the title of a new field with that tag.
void LaterTitle(TDalkIIToKv21& kv, std::string_view tag) {
  const TMarcField* source = kv.SourceRecord.FindFieldPtr(tag);
  if (source == nullptr) return;
  const TMarcSubField* t = source->FindSubfieldPtr('t');
  if (t == nullptr) return;
  const std::size_t colon = t->Value.find(':');
  if (colon == std::string::npos) return;
  const std::string_view rest = std::string_view(t->Value).substr(colon + 1);
  if (!IsBlank(rest)) kv.OutRecord.AddField(tag, '0', '0')->AddSubfield('t', rest);
}

bool OnlyZerosIn(TDalkIIToKv21& kv, std::string_view text) {
  kv.RegEx.SetExpression(OnlyZeros);
  return kv.RegEx.Exec(text);
}

} // namespace

void Rule700(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  AddWithRelator(kv, Mapped(source, newTag, PersonalNameInd1(source.Ind1), ' ', PersonalEntry), source.Ind2);
}

void RuleCorporateEntry(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  const TCorporateForm form{IsMeeting(source.Tag) ? 'e' : 'b', '\0', ' ', {"tu", "tt"}};
  AddWithRelator(kv, BuildCorporateName(source, newTag, form), source.Ind2);
}

void Rule730(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  auto field = Mapped(source, newTag, source.Ind1, ' ', UniformTitleEntry);
  AddFilingForm(*field, source, source.Ind1);
  AddUnlessEmpty(kv.OutRecord, std::move(field));
}

void Rule740(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  auto field = Mapped(source, newTag, source.Ind1, ' ', TitleEntry);
  AddFilingForm(*field, source, source.Ind1);
  AddUnlessEmpty(kv.OutRecord, std::move(field));
}

void Rule773(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  AddUnlessEmpty(kv.OutRecord, Mapped(source, newTag, '0', ' ', HostItem));
}

void Rule780And785(TDalkIIToKv21& kv) {
  LaterTitle(kv, "780");
  LaterTitle(kv, "785");
}

void Rule800(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  AddUnlessEmpty(kv.OutRecord, Mapped(source, newTag, PersonalNameInd1(source.Ind1), ' ', PersonalSeries));
}

void Rule840(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  auto field = Mapped(source, newTag, ' ', source.Ind2, {"a", "a"});
  std::string volumes;
  for (const auto& subfield : source.Subfields)
    if (subfield->Code == 'v') AppendNonBlank(volumes, subfield->Value, " ; ");
  if (!IsBlank(volumes)) field->AddSubfield('v', volumes);
  AddFilingForm(*field, source, source.Ind2);
  AddUnlessEmpty(kv.OutRecord, std::move(field));
}

void Rule856(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  TMarcField* copy = kv.CopyFieldAs(source, newTag, '\0', '\0');
  TMarcSubField* g = copy->FindSubfieldPtr('g');
  TMarcSubField* f = copy->FindSubfieldPtr('f');
  if (g == nullptr || f == nullptr) return;
  f->Value += g->Value;
  copy->DeleteSubfield(g);
}

void Rule887(TDalkIIToKv21& kv, const TMarcField& source, std::string_view) {
  if (source.Ind1 == '1') {
    const TMarcSubField* b = source.FindSubfieldPtr('b');
    if (b == nullptr) return;
    // The record number stands in the last nine characters, or, when those
    // are only zeros, right after the first nine.
    std::string number = RightStr(b->Value, 9);
    if (OnlyZerosIn(kv, number)) number = CopyFrom(b->Value, 10);
    number = CopyDef(number, 1, 7);
    if (!OnlyZerosIn(kv, number)) kv.OutRecord.AddFieldFromArrays("760", ' ', ' ', "w", {number});
  } else if (source.Ind1 == '2') {
    if (const TMarcSubField* w = source.FindSubfieldPtr('w'))
      kv.OutRecord.AddFieldFromArrays("491", ' ', ' ', "q", {PadLeft(w->Value, 8, '0')});
  }
}

void Rule900(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  const char ind1 = source.Ind1 == '0' || source.Ind1 == '2' ? '1' : '0';
  AddUnlessEmpty(kv.OutRecord, Mapped(source, newTag, ind1, LocalInd2(source.Ind2), LocalPersonal));
}

void RuleLocalCorporate(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  const bool meeting = IsMeeting(source.Tag);
  const TCorporateForm form{meeting ? 'e' : 'b', meeting ? ' ' : '\0', LocalInd2(source.Ind2), {"tu", "tu"}};
  AddUnlessEmpty(kv.OutRecord, BuildCorporateName(source, newTag, form));
}

void Rule940(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  auto field = std::make_unique<TMarcField>(newTag, source.Ind1, LocalInd2(source.Ind2));
  TMarcSubField* numbers = nullptr; // e and f gather in the first $n
  for (const auto& subfield : source.Subfields) {
    const std::string& value = subfield->Value;
    if (subfield->Code == 'e' || subfield->Code == 'f') {
      if (numbers != nullptr)
        numbers->AppendText(value, ", "); // a blank one too, without the separator
      else if (!IsBlank(value))
        numbers = field->AddSubfield('n', value);
    } else if (const char to = MapCode(LocalUniformTitle, subfield->Code); to != '\0' && !IsBlank(value)) {
      field->AddSubfield(to, value);
    }
  }
  AddUnlessEmpty(kv.OutRecord, std::move(field));
}

void Rule998(TDalkIIToKv21& kv) {
  const TMarcField* source = kv.SourceRecord.FindFieldPtr("998");
  if (source == nullptr) return;
  std::string link;
  if (const TMarcSubField* u = source->FindSubfieldPtr('u')) link = u->Value;
  if (const TMarcSubField* x = source->FindSubfieldPtr('x')) link += x->Value;
  kv.OutRecord.AddFieldFromArrays("856", '4', '0', "u", {link});
}

} // namespace kelvo::dalk_kv21
