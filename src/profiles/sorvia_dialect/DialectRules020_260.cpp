// Rules for numbers, codes, names and titles (020-260).
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "profiles/sorvia_dialect/Common4All.h"
#include "profiles/sorvia_dialect/DialectRules.h"
#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

namespace {

// A system number or a title with a parenthesised part: "(SE-LIBR)123".
constexpr std::string_view ParenthesisedPattern = "\\(.{1,}\\)";

// Finds the parenthesised part of text with kv.RegEx, removes it from text and
// returns it; empty when there is none.
std::string CutParenthesised(TMrc21ToMrcKv& kv, std::string& text) {
  kv.RegEx.SetExpression(ParenthesisedPattern);
  if (!kv.RegEx.Exec(text)) return {};
  std::string match = kv.RegEx.Match();
  text.erase(static_cast<std::size_t>(kv.RegEx.MatchPos() - 1), match.size());
  return match;
}

} // namespace

// 020: the ISBN with its qualifier and the price into 350, a cancelled
// number into 509.
void Rule020(TMrc21ToMrcKv& kv) {
  kv.SourceTags().ForEach("020", [&](const TMarcField& source) {
    const std::string_view a = TrimView(FirstSubfieldText(source, 'a'));
    if (!IsBlank(a)) {
      std::string number;
      std::string qualifier;
      kv.RegEx.SetExpression("^[X0-9-]{10,13}");
      if (kv.RegEx.Exec(a)) {
        number = kv.RegEx.Match();
        qualifier = Trim(a.substr(static_cast<std::size_t>(kv.RegEx.MatchPos() - 1) + number.size()));
        if (qualifier == ";") qualifier.clear();
        if (qualifier.starts_with('(')) qualifier.erase(0, 1);
        if (qualifier.ends_with(')')) qualifier.pop_back();
      }
      qualifier = Trim(qualifier);
      for (std::string_view ending : {") ;", ");", ")"})
        StripEnding(qualifier, ending);
      AddFixedOrderField(kv.OutRecord, "350", source.Ind1, source.Ind2,
                         {{'a', FirstSubfieldText(source, 'c')}, {'c', number}, {'d', qualifier}});
    }
    AddFixedOrderField(kv.OutRecord, "509", '1', '0', {{'a', FirstSubfieldText(source, 'z')}});
  });
}

// 022: ISSN and incorrect ISSN kept, a cancelled ISSN into 509.
void Rule022(TMrc21ToMrcKv& kv) {
  kv.SourceTags().ForEach("022", [&](const TMarcField& source) {
    AddFixedOrderField(kv.OutRecord, "022", source.Ind1, source.Ind2,
                       {{'a', FirstSubfieldText(source, 'a')}, {'z', FirstSubfieldText(source, 'z')}});
    AddFixedOrderField(kv.OutRecord, "509", '2', '0', {{'a', FirstSubfieldText(source, 'y')}});
  });
}

// 035: "(source)number" becomes $a number and $y source.
void Rule035(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  std::string a;
  std::string y;
  for (const auto& sub : source.Subfields) {
    if (sub->Code != 'a') continue;
    a = sub->Value;
    const std::string match = CutParenthesised(kv, a);
    if (!match.empty()) y = TrimEnclosing(match, '(', ')');
  }
  AddFixedOrderField(kv.OutRecord, targetTag, source.Ind1, source.Ind2, {{'a', a}, {'y', y}});
}

// 041: one output field per language code of three letters in the first $a.
void Rule041(TMrc21ToMrcKv& kv) {
  const TMarcField* source = kv.SourceTags().First("041");
  if (source == nullptr || !source->HasSubfield('a')) return;
  const std::string codes(FirstSubfieldText(*source, 'a'));
  for (std::size_t pos = 0; pos + 3 <= codes.size(); pos += 3) {
    TMarcField* copy = kv.OutRecord.CopyField(*source);
    copy->FindSubfieldPtr('a')->Value = codes.substr(pos, 3);
    if (TMarcSubField* h = copy->FindSubfieldPtr('h')) h->Code = 'u';
  }
}

namespace {

struct TClassificationSystem {
  std::string_view Source2; // $2 of the source field, trimmed
  char Code;                // the output code of $a
};

// Systems that go to the target tag; every other $2 (none included) to 087 $a.
constexpr std::array ClassificationSystems{
    TClassificationSystem{"kssb/5", 'a'},
    TClassificationSystem{"kssb/6", 'c'},
    TClassificationSystem{"kssb/7", 'c'},
    TClassificationSystem{"kssb", 'b'},
};

} // namespace

// 084: classification codes by their system.
void Rule084(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  const std::string_view system = TrimView(LastSubfieldText(source, '2'));
  std::string_view tag = "087";
  char code = 'a';
  for (const auto& row : ClassificationSystems)
    if (row.Source2 == system) {
      tag = targetTag;
      code = row.Code;
      break;
    }
  AddFixedOrderField(kv.OutRecord, tag, source.Ind1, source.Ind2,
                     {{'y', LastSubfieldText(source, '5')}, {code, LastSubfieldText(source, 'a')}});
}

// Step 16: a uniform title equal to the title proper is dropped.
void RuleDuplicateUniformTitle(TMrc21ToMrcKv& kv) {
  const TMarcField* uniform = kv.OutRecord.FindFieldPtr("240");
  const TMarcField* title = kv.OutRecord.FindFieldPtr("245");
  if (uniform == nullptr || title == nullptr) return;
  const TMarcSubField* uniformA = uniform->FindSubfieldPtr('a');
  const TMarcSubField* titleA = title->FindSubfieldPtr('a');
  if (uniformA != nullptr && titleA != nullptr && uniformA->Value == titleA->Value)
    kv.OutRecord.DeleteField(uniform);
}

namespace {

constexpr std::array Map246Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'b', 'b'},
    TSubfieldMapEntry{'f', 'b', TTextFix::Enclose},
    TSubfieldMapEntry{'g', 'b', TTextFix::Enclose},
    TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'i', 'n'},
    TSubfieldMapEntry{'n', 'v'},
    TSubfieldMapEntry{'p', 'g'},
};
constexpr TFieldMap Map246{Map246Subfields};

struct TIndicatorRow {
  char From;
  char To;
};

// The second indicator of 246 (type of title); others become blank.
constexpr std::array Title246Types{
    TIndicatorRow{'0', '2'}, TIndicatorRow{'1', '1'}, TIndicatorRow{'2', '2'},
    TIndicatorRow{'3', '3'}, TIndicatorRow{'4', '4'}, TIndicatorRow{'5', '6'},
    TIndicatorRow{'6', '5'}, TIndicatorRow{'7', '7'}, TIndicatorRow{'8', '8'},
};

// A display text in $i marks the title type as "9".
constexpr char DisplayTextType = '9';

} // namespace

// 246: variant titles with their type recoded.
void Rule246(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  TMarcField* field = ApplyFieldMap(source, kv.OutRecord, targetTag, Map246);
  if (field == nullptr) return;
  char type = ' ';
  for (const auto& row : Title246Types)
    if (row.From == source.Ind2) type = row.To;
  if (source.HasSubfield('i')) type = DisplayTextType;
  field->Ind2 = type;
}

namespace {

constexpr std::array Map249Subfields{
    TSubfieldMapEntry{'b', 'b'},
    TSubfieldMapEntry{'n', 'v'},
    TSubfieldMapEntry{'p', 'g'},
};

} // namespace

// 249 -> 244: a parenthesised part of $a becomes $p after it.
void Rule249(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  TMarcField* field = nullptr;
  auto add = [&](char code, std::string_view text) {
    if (field == nullptr) field = kv.OutRecord.AddField(targetTag, source.Ind1, source.Ind2);
    field->AddSubfield(code, text);
  };
  for (const auto& sub : source.Subfields) {
    if (sub->Code == 'a') {
      std::string rest = sub->Value;
      std::string part = CutParenthesised(kv, rest);
      if (!part.empty()) part = part.substr(1, part.size() - 2);
      rest = Trim(rest);
      StripEnding(rest, ".");
      if (!IsBlank(rest)) add('a', rest);
      if (!IsBlank(part)) add('p', part);
      continue;
    }
    const auto entry = std::find_if(Map249Subfields.begin(), Map249Subfields.end(),
                                    [&](const TSubfieldMapEntry& e) { return e.From == sub->Code; });
    if (entry != Map249Subfields.end()) add(entry->To, sub->Value);
  }
}

namespace {

// $g and $q of a personal name joined; $q loses its parentheses.
constexpr std::array Joins100{TJoinSpec{"gq", " ", 'l', 'q', TTextFix::DropParens}};
constexpr std::array Map100Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'d', 'c'},        TSubfieldMapEntry{'b', 'e'},
    TSubfieldMapEntry{'c', 'f'}, TSubfieldMapEntry{JoinedText, 'l'},
};

constexpr std::array Map110Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'b', 'c'}, TSubfieldMapEntry{'i', 'i'},
    TSubfieldMapEntry{'c', 'j'}, TSubfieldMapEntry{'d', 'k'},
};

constexpr std::array Joins111{TJoinSpec{"gq", " ", 'e'}};
constexpr std::array Map111Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'e', 'c'}, TSubfieldMapEntry{JoinedText, 'e'},
    TSubfieldMapEntry{'n', 'i'}, TSubfieldMapEntry{'c', 'j'}, TSubfieldMapEntry{'d', 'k'},
};

// 130 and 240 share the map; the first indicator tells them apart.
constexpr std::array UniformTitleSubfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'f', 'q'},
    TSubfieldMapEntry{'g', 'j'}, TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'k', 'p'}, TSubfieldMapEntry{'l', 'r'},
    TSubfieldMapEntry{'m', 'd'}, TSubfieldMapEntry{'n', 'f'},
    TSubfieldMapEntry{'o', 'k'}, TSubfieldMapEntry{'p', 's'},
    TSubfieldMapEntry{'r', 'h'},
};

constexpr std::array Map210Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'b', 'c', TTextFix::Parens},
};

constexpr std::array Map222Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'b', 'b', TTextFix::Parens},
};

constexpr std::array Map245Subfields{
    TSubfieldMapEntry{'a', 'a', TTextFix::StripFullStop},
    TSubfieldMapEntry{'b', 'b'},
    TSubfieldMapEntry{'f', 'b'},
    TSubfieldMapEntry{'c', 'e'},
    TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'n', 'v'},
    TSubfieldMapEntry{'p', 'g'},
};

constexpr std::array Map255Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'b', 'c'},
    TSubfieldMapEntry{'c', 'd'},
    TSubfieldMapEntry{'e', 'e'},
};

// $d (plate number) and every other code are dropped.
constexpr std::array Map260Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'b', 'b'}, TSubfieldMapEntry{'c', 'c'},
    TSubfieldMapEntry{'e', 'e'}, TSubfieldMapEntry{'f', 'f'}, TSubfieldMapEntry{'g', 'k'},
};

} // namespace

const TFieldMap Map100{Map100Subfields, Joins100, TMapOrder::Fixed};
const TFieldMap Map110{Map110Subfields, {}, TMapOrder::Fixed};
const TFieldMap Map111{Map111Subfields, Joins111, TMapOrder::Fixed};
const TFieldMap Map130{UniformTitleSubfields, {}, TMapOrder::Source, '0'};
const TFieldMap Map210{Map210Subfields, {}, TMapOrder::Fixed};
const TFieldMap Map222{Map222Subfields, {}, TMapOrder::Fixed};
const TFieldMap Map240{UniformTitleSubfields, {}, TMapOrder::Source, '1'};
const TFieldMap Map245{Map245Subfields};
const TFieldMap Map255{Map255Subfields};
const TFieldMap Map260{Map260Subfields};

} // namespace kelvo::sorvia_dialect
