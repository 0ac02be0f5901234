// Rules for added entries, links, series entries and local fields (700-998).
#include <memory>
#include <string>
#include <string_view>

#include "profiles/dalk_kv21/DalkRuleHelpers.h"
#include "profiles/dalk_kv21/DalkRules.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

// Personal added entries: the name, its dates and additions, the title.
constexpr TCodeRow PersonalEntry[] = {{'a', 'a'}, {'c', 'd'}, {'d', 'c'}, {'e', 'b'}, {'f', 'c'},
                                      {'g', 'c'}, {'l', 'c'}, {'t', 't'}, {'u', 't'}};
// Series added entries under a personal name keep the volume and the ISSN as $w.
constexpr TCodeRow PersonalSeries[] = {{'a', 'a'}, {'c', 'd'}, {'d', 'c'}, {'e', 'b'}, {'f', 'c'}, {'g', 'c'},
                                       {'l', 'c'}, {'t', 't'}, {'u', 't'}, {'v', 'v'}, {'x', 'w'}};
// The vendor's local personal names (900).
constexpr TCodeRow LocalPersonal[] = {{'a', 'a'}, {'c', 'd'}, {'d', 'c'}, {'e', 'b'}, {'f', 'c'},
                                      {'g', 'c'}, {'l', 'c'}, {'t', 't'}, {'u', 'u'}};
constexpr TCodeRow UniformTitleEntry[] = {{'a', 'a'}, {'d', 'm'}, {'h', 'r'}, {'k', 'o'},
                                          {'p', 'k'}, {'q', 'f'}, {'r', 'l'}, {'s', 'p'}};
constexpr TCodeRow TitleEntry[] = {{'a', 'a'}, {'n', 'p'}};
constexpr TCodeRow HostItem[] = {{'b', 'b'}, {'d', 'd'}, {'g', 'g'}, {'k', 'k'}, {'n', 'n'}, {'t', 't'},
                                 {'x', 'x'}, {'z', 'z'}, {'o', 'h'}, {'s', 'p'}, {'w', 'o'}};
// 940 to 930; e and f, which collect into one $n, are handled apart.
// The title and place codes a corporate added entry or local name takes besides its name.
constexpr TCodeRow EntryExtras[] = {{'t', 't'}, {'u', 't'}};
constexpr TCodeRow LocalExtras[] = {{'t', 't'}, {'u', 'u'}};
constexpr TCodeRow SeriesTitle[] = {{'a', 'a'}};
constexpr TCodeRow LocalUniformTitle[] = {{'a', 'a'}, {'d', 'm'}, {'h', 'r'}, {'k', 'o'}, {'p', 'k'},
                                          {'q', 'f'}, {'r', 'l'}, {'s', 'p'}, {'u', 'u'}, {'x', 'w'}};

// Only zeros: a link number that stands for no record.

// The local fields code their second indicator as "s" for "0", "k" otherwise.
constexpr char LocalInd2(char ind2) { return ind2 == '0' ? 's' : 'k'; }

// A new field with the mapped subfields of source; none when nothing was mapped.
std::unique_ptr<TMarcField> Mapped(TMarcRec& out, const TMarcField& source, std::string_view tag, char ind1,
                                   char ind2, std::span<const TCodeRow> map) {
  auto field = out.NewField(tag, ind1, ind2);
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
void AddWithRelator(TDalkContext& ctx, std::unique_ptr<TMarcField> field, char ind2) {
  AddRelatorCode(*field, ind2);
  AddUnlessEmpty(ctx.Out, std::move(field));
}

bool IsMeeting(std::string_view tag) { return tag.size() == 3 && tag[1] == '1' && tag[2] == '1'; }

// The first field with the tag: what follows the first colon of its first
// $t becomes the title of a new field with that tag.
void LaterTitle(TDalkContext& ctx, std::string_view tag) {
  const TMarcField* source = ctx.Tags.First(tag);
  if (source == nullptr) return;
  const TMarcSubField* t = source->FindSubfieldPtr('t');
  if (t == nullptr) return;
  const std::size_t colon = t->Value.find(':');
  if (colon == std::string::npos) return;
  const std::string_view rest = std::string_view(t->Value).substr(colon + 1);
  if (!IsBlank(rest)) ctx.Out.AddField(tag, '0', '0')->AddSubfield('t', rest);
}

bool OnlyZerosIn(TDalkContext& ctx, std::string_view text) { return ctx.Patterns.OnlyZeros.Exec(text); }

} // namespace

void Rule700(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  AddWithRelator(ctx, Mapped(ctx.Out, source, newTag, PersonalNameInd1(source.Ind1), ' ', PersonalEntry),
                 source.Ind2);
}

void RuleCorporateEntry(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  const TCorporateForm form{IsMeeting(source.Tag) ? 'e' : 'b', '\0', ' ', EntryExtras};
  AddWithRelator(ctx, BuildCorporateName(ctx.Out, source, newTag, form), source.Ind2);
}

void Rule730(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  auto field = Mapped(ctx.Out, source, newTag, source.Ind1, ' ', UniformTitleEntry);
  AddFilingForm(*field, source, source.Ind1);
  AddUnlessEmpty(ctx.Out, std::move(field));
}

void Rule740(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  auto field = Mapped(ctx.Out, source, newTag, source.Ind1, ' ', TitleEntry);
  AddFilingForm(*field, source, source.Ind1);
  AddUnlessEmpty(ctx.Out, std::move(field));
}

void Rule773(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  AddUnlessEmpty(ctx.Out, Mapped(ctx.Out, source, newTag, '0', ' ', HostItem));
}

void Rule780And785(TDalkContext& ctx) {
  LaterTitle(ctx, "780");
  LaterTitle(ctx, "785");
}

void Rule800(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  AddUnlessEmpty(ctx.Out,
                 Mapped(ctx.Out, source, newTag, PersonalNameInd1(source.Ind1), ' ', PersonalSeries));
}

void Rule840(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  auto field = Mapped(ctx.Out, source, newTag, ' ', source.Ind2, SeriesTitle);
  std::string volumes;
  for (const auto& subfield : source.Subfields)
    if (subfield->Code == 'v') AppendNonBlank(volumes, subfield->Value, " ; ");
  if (!IsBlank(volumes)) field->AddSubfield('v', volumes);
  AddFilingForm(*field, source, source.Ind2);
  AddUnlessEmpty(ctx.Out, std::move(field));
}

void Rule856(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  TMarcField* copy = CopyFieldAs(ctx.Out, source, newTag, '\0', '\0');
  TMarcSubField* g = copy->FindSubfieldPtr('g');
  TMarcSubField* f = copy->FindSubfieldPtr('f');
  if (g == nullptr || f == nullptr) return;
  f->Value += g->Value;
  copy->DeleteSubfield(g);
}

void Rule887(TDalkContext& ctx, const TMarcField& source, std::string_view) {
  if (source.Ind1 == '1') {
    const TMarcSubField* b = source.FindSubfieldPtr('b');
    if (b == nullptr) return;
    // The record number stands in the last nine characters, or, when those
    // are only zeros, right after the first nine.
    std::string number = RightStr(b->Value, 9);
    if (OnlyZerosIn(ctx, number)) number = CopyFrom(b->Value, 10);
    number = CopyDef(number, 1, 7);
    if (!OnlyZerosIn(ctx, number)) ctx.Out.AddFieldFromArrays("760", ' ', ' ', "w", {number});
  } else if (source.Ind1 == '2') {
    if (const TMarcSubField* w = source.FindSubfieldPtr('w'))
      ctx.Out.AddFieldFromArrays("491", ' ', ' ', "q", {PadLeft(w->Value, 8, '0')});
  }
}

void Rule900(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  const char ind1 = source.Ind1 == '0' || source.Ind1 == '2' ? '1' : '0';
  AddUnlessEmpty(ctx.Out, Mapped(ctx.Out, source, newTag, ind1, LocalInd2(source.Ind2), LocalPersonal));
}

void RuleLocalCorporate(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  const bool meeting = IsMeeting(source.Tag);
  const TCorporateForm form{meeting ? 'e' : 'b', meeting ? ' ' : '\0', LocalInd2(source.Ind2), LocalExtras};
  AddUnlessEmpty(ctx.Out, BuildCorporateName(ctx.Out, source, newTag, form));
}

void Rule940(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  auto field = ctx.Out.NewField(newTag, source.Ind1, LocalInd2(source.Ind2));
  TMarcSubField* numbers = nullptr; // e and f gather in the first $n
  for (const auto& subfield : source.Subfields) {
    const std::string& value = subfield->Value;
    if (subfield->Code == 'e' || subfield->Code == 'f') {
      if (numbers != nullptr)
        numbers->AppendText(value, ", "); // a blank one too, without the separator
      else if (!IsBlank(value))
        numbers = field->AddSubfield('n', value);
    } else if (const char to = Recode(LocalUniformTitle, subfield->Code); to != '\0' && !IsBlank(value)) {
      field->AddSubfield(to, value);
    }
  }
  AddUnlessEmpty(ctx.Out, std::move(field));
}

void Rule998(TDalkContext& ctx) {
  const TMarcField* source = ctx.Tags.First("998");
  if (source == nullptr) return;
  std::string link;
  if (const TMarcSubField* u = source->FindSubfieldPtr('u')) link = u->Value;
  if (const TMarcSubField* x = source->FindSubfieldPtr('x')) link += x->Value;
  ctx.Out.AddFieldFromArrays("856", '4', '0', "u", {link});
}

} // namespace kelvo::dalk_kv21
