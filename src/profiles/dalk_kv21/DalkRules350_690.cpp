// Rules for standard numbers, notes and subjects (350-690).
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "profiles/dalk_kv21/DalkRuleHelpers.h"
#include "profiles/dalk_kv21/DalkRules.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

constexpr TCodeRow Isbn350[] = {{'c', 'a'}};
constexpr TCodeRow Publisher350[] = {{'e', 'b'}, {'g', 'a'}};
constexpr TCodeRow Subject600[] = {{'2', '2'}, {'a', 'a'}, {'c', 'd'}, {'d', 'c'}, {'e', 'b'},
                                   {'f', 'c'}, {'g', 'c'}, {'l', 'c'}, {'t', 't'}, {'v', 'v'},
                                   {'w', 'w'}, {'x', 'x'}, {'y', 'y'}, {'z', 'z'}, {'u', 't'}};
constexpr TCodeRow Subject610[] = {{'2', '2'}, {'a', 'a'}, {'c', 'b'}, {'i', 'n'}, {'j', 'j'},
                                   {'k', 'd'}, {'t', 't'}, {'v', 'v'}, {'w', 'w'}, {'x', 'x'},
                                   {'y', 'y'}, {'z', 'z'}, {'u', 't'}};
constexpr TCodeRow Subject611[] = {{'2', '2'}, {'a', 'a'}, {'c', 'e'}, {'i', 'n'}, {'j', 'j'},
                                   {'k', 'd'}, {'t', 't'}, {'v', 'v'}, {'w', 'w'}, {'x', 'x'},
                                   {'y', 'y'}, {'z', 'z'}, {'u', 't'}};
constexpr TCodeRow Shelf596[] = {{'a', 'a'}, {'b', 'b'}, {'d', 'd'}, {'k', 'k'}, {'p', 'p'}, {'s', 's'}};

// The text of a match of pattern at the start of value removed and the rest
// trimmed; false when pattern does not match.
bool StripMatch(TVoRegExpr& pattern, std::string_view value, std::string& rest) {
  if (!pattern.Exec(value)) return false;
  std::string text(value);
  text.erase(static_cast<std::size_t>(pattern.MatchPos() - 1), static_cast<std::size_t>(pattern.MatchLen()));
  rest = TrimBlanks(text);
  return true;
}

// The first output 596, or a new one with indicators "9" and "1".
TMarcField& Output596(TDalkContext& ctx) {
  if (TMarcField* field = ctx.Out.FindFieldPtr("596")) return *field;
  return *ctx.Out.AddField("596", '9', '1');
}

// Sets the first subfield with the code, adding one when there is none.
void SetFirstSubfield(TMarcField& field, char code, std::string_view value) {
  if (TMarcSubField* subfield = field.FindSubfieldPtr(code))
    subfield->Value = value;
  else
    field.AddSubfield(code, value);
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// ISBN from 350 "0" "0": $a is the number C with "(B : D)" after it.
void Isbn020(TDalkContext& ctx, const TMarcField& source) {
  const std::string a = LastValue(source, 'a');
  const std::string b = LastValue(source, 'b');
  const std::string c = LastValue(source, 'c');
  const std::string d = LastValue(source, 'd');
  std::string number = c;
  if (!IsBlank(b) || !IsBlank(d)) {
    std::string inner = b;
    AppendWithSep(inner, d, " : ");
    number += " (" + inner + ")";
  }
  ctx.Out.AddFieldWithSubfields("020", ' ', ' ', "acx", {number, a, c});
}

// One reader name "First names Family" as "Family, First names".
std::string InvertedName(std::string_view name) {
  const std::size_t blank = name.rfind(' ');
  if (blank == std::string_view::npos) return std::string(name);
  std::string inverted = TrimBlanks(name.substr(blank + 1));
  AppendWithSep(inverted, TrimBlanks(name.substr(0, blank)), ", ");
  return inverted;
}

// 508 "3" "Inläsare: ..." gives one 700 per reader; false when the note is
// not a list of readers.
bool ReadersTo700(TDalkContext& ctx, const TMarcField& source) {
  const TMarcSubField* a = source.FindSubfieldPtr('a');
  std::string readers;
  if (a == nullptr || source.Ind1 != '3' || !StripMatch(ctx.Patterns.Readers, a->Value, readers))
    return false;
  ReplaceAll(readers, " och ", ", ");
  // Strict on purpose: a list that is only "..." keeps it.
  if (EndsWith(readers, "...")) {
    DeleteLast(readers, 3);
    readers = TrimBlanks(readers);
  }
  std::size_t start = 0;
  while (start <= readers.size()) {
    std::size_t comma = readers.find(',', start);
    if (comma == std::string::npos) comma = readers.size();
    const std::string name = TrimBlanks(std::string_view(readers).substr(start, comma - start));
    if (!IsBlank(name)) ctx.Out.AddFieldWithSubfields("700", '9', '3', "a", {InvertedName(name)});
    start = comma + 1;
  }
  return true;
}

} // namespace

void Rule350(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  if (source.Ind2 == '0') {
    switch (source.Ind1) {
    case '0':
      Isbn020(ctx, source);
      return;
    case '1':
      if (QueueMappedCouples(ctx.Out, source, Isbn350)) ctx.Out.AddFieldFromCouples("022", ' ', ' ');
      return;
    case '4': {
      auto field = ctx.Out.NewField("028", '1', '0');
      AddMappedSubfields(*field, source, Publisher350);
      AddUnlessEmpty(ctx.Out, std::move(field));
      return;
    }
    case '5':
      if (source.HasSubfield('f'))
        ctx.Out.AddFieldFromArrays("029", '3', '0', "a", {FirstValue(source, 'f')});
      return;
    default:
      break;
    }
  }
  CopyFieldAs(ctx.Out, source, newTag, '\0', '\0');
}

void Rule503(TDalkContext& ctx, const TMarcField& source, std::string_view) {
  const TMarcSubField* a = source.FindSubfieldPtr('a');
  if (a == nullptr) return;
  for (TVoRegExpr* pattern : {&ctx.Patterns.ReadFrom, &ctx.Patterns.CopiedFrom}) {
    std::string rest;
    if (!StripMatch(*pattern, a->Value, rest)) continue;
    if (!IsBlank(rest)) SetFirstSubfield(Output596(ctx), 'a', rest);
    return;
  }
}

void RuleJoinedNotes(TDalkContext& ctx) {
  struct TJoined {
    std::string_view Source;
    std::string_view Target;
    char Ind1;
  };
  static constexpr std::array<TJoined, 3> Notes{
      {{"505", "505", '8'}, {"506", "546", ' '}, {"507", "550", ' '}}};
  for (const TJoined& note : Notes) {
    std::string joined;
    ctx.Tags.ForEach(note.Source, [&](const TMarcField& field) {
      if (const TMarcSubField* a = field.FindSubfieldPtr('a'))
        AppendWithSep(joined, TrimBlanks(a->Value), ". ");
    });
    ctx.Out.AddFieldFromArrays(note.Target, note.Ind1, ' ', "a", {joined});
  }
}

void Rule508(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  if (!ReadersTo700(ctx, source)) CopyFieldAs(ctx.Out, source, newTag, ' ', ' ');
}

void Rule596(TDalkContext& ctx, const TMarcField& source, std::string_view) {
  if (QueueMappedCouples(ctx.Out, source, Shelf596)) ctx.Out.AddFieldFromCouples("599", ' ', ' ');
  ctx.Out.AddFieldFromArrays("035", ' ', ' ', "a", {LastValue(source, 'x')});
  ctx.Out.AddFieldFromArrays("520", ' ', ' ', "a", {LastValue(source, 'i')});
}

void Rule600(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  if (QueueMappedCouples(ctx.Out, source, Subject600))
    ctx.Out.AddFieldFromCouples(newTag, PersonalNameInd1(source.Ind1), ' ');
}

void RuleCorporateSubject(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  const bool meeting = source.HasTag("611");
  std::span<const TCodeRow> map = meeting ? Subject611 : Subject610;
  const char k = meeting ? 'e' : 'b';
  auto field = ctx.Out.NewField(newTag, source.Ind1, source.Ind2);
  TMarcSubField* last = nullptr;
  for (const auto& subfield : source.Subfields) {
    const std::string_view value = subfield->Value;
    if (subfield->Code == 'e' && last != nullptr && (last->Code == 'a' || last->Code == k)) {
      last->AppendText(value, ", ");
      continue;
    }
    const char to = subfield->Code == 'e' ? 'g' : Recode(map, subfield->Code);
    if (to != '\0' && !IsBlank(value)) last = field->AddSubfield(to, value);
  }
  AddUnlessEmpty(ctx.Out, std::move(field));
}

void Rule630(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  static constexpr TCodeRow Later[] = {{'o', 'o'}, {'p', 'p'}, {'r', 'r'}, {'s', 'f'},
                                       {'v', 'v'}, {'x', 'x'}, {'y', 'y'}, {'z', 'z'}};
  auto field = ctx.Out.NewField(newTag, source.Ind1, source.Ind2);
  std::string parts;
  for (const auto& subfield : source.Subfields) {
    const char code = subfield->Code;
    if (code == 'n') {
      AppendNonBlank(parts, subfield->Value, ", ");
      continue;
    }
    const char to = static_cast<unsigned char>(code) < 'n' ? code : Recode(Later, code);
    if (to != '\0' && !IsBlank(subfield->Value)) field->AddSubfield(to, subfield->Value);
  }
  if (!IsBlank(parts)) field->AddSubfield('n', parts);
  if (const TMarcSubField* a = source.FindSubfieldPtr('a')) {
    const std::string filing = LowerCase(FilingForm(source.Ind1, a->Value));
    if (!IsBlank(filing)) field->AddSubfield('w', filing);
  }
  AddUnlessEmpty(ctx.Out, std::move(field));
}

// A medical subject heading (its first $2 says "NLMSH") becomes a 660.
void Rule650(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  const TMarcSubField* system = source.FindSubfieldPtr('2');
  if (system != nullptr && system->Value == "NLMSH")
    ctx.Out.AddFieldFromArrays("660", ' ', ' ', "a", {FirstValue(source, 'a')});
  else
    CopyFieldAs(ctx.Out, source, newTag, '\0', '\0');
}

void Rule681(TDalkContext& ctx) {
  const TMarcField* source = ctx.Tags.First("681");
  if (source == nullptr) return;
  for (const auto& subfield : source->Subfields)
    if (subfield->Code == 'a') ctx.Out.AddFieldFromArrays("976", ' ', ' ', "b", {subfield->Value});
}

void Rule690(TDalkContext& ctx, const TMarcField& source, std::string_view) {
  static constexpr CharSet NextTerm("c");
  for (std::size_t i = 0; i < source.Subfields.size(); ++i) {
    const TMarcSubField& c = *source.Subfields[i];
    if (c.Code != 'c') continue;
    std::string term = c.Value;
    if (i + 1 < source.Subfields.size() && source.Subfields[i + 1]->Code == 'e')
      AppendWithSep(term, source.Subfields[i + 1]->Value, " : ");
    const TMarcSubField* x = source.FindNextSubfield(&c, 'x', NextTerm);
    ctx.Out.AddFieldFromArrays("653", ' ', ' ', "aw", {term, x != nullptr ? x->Value : std::string()});
  }
}

void Rule596FromAdaptation(TDalkContext& ctx) {
  const std::string objectType = TrimBlanks(ObjectType(ctx.Source));
  const TLocalAdaptation& adaptation = ctx.Adaptation;
  if (IsBlank(objectType) || !adaptation.HasMediaCodes()) return;
  const TMediaText* text = adaptation.FindMediaText(objectType);
  if (text == nullptr || (IsBlank(text->Klartext1) && IsBlank(text->Klartext2))) return;
  TMarcField& field = Output596(ctx);
  if (!IsBlank(text->Klartext1)) SetFirstSubfield(field, 'h', text->Klartext1);
  if (!IsBlank(text->Klartext2)) SetFirstSubfield(field, 'm', text->Klartext2);
}

} // namespace kelvo::dalk_kv21
