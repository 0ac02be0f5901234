// Rules for numbers, codes, names and titles (020-260).
#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "profiles/common/Common4All.h"
#include "profiles/sorvia_dialect/DialectRules.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

namespace {

// Finds the parenthesised part of text, removes it from text and returns it;
// empty when there is none.
std::string CutParenthesised(TDialectContext& ctx, std::string& text) {
  TPattern& pattern = ctx.Patterns.Parenthesised;
  if (!pattern.Exec(text)) return {};
  std::string match = pattern.Match();
  text.erase(static_cast<std::size_t>(pattern.MatchPos() - 1), match.size());
  return match;
}

} // namespace

// 020: the ISBN with its qualifier and the price into 350, a cancelled
// number into 509.
void Rule020(TDialectContext& ctx) {
  ctx.Tags.ForEach("020", [&](const TMarcField& source) {
    const std::string_view a = TrimView(FirstSubfieldText(source, 'a'));
    if (!IsBlank(a)) {
      std::string number;
      std::string qualifier;
      TPattern& isbn = ctx.Patterns.Isbn;
      if (isbn.Exec(a)) {
        number = isbn.Match();
        qualifier = Trim(a.substr(static_cast<std::size_t>(isbn.MatchPos() - 1) + number.size()));
        if (qualifier == ";") qualifier.clear();
        if (qualifier.starts_with('(')) qualifier.erase(0, 1);
        if (qualifier.ends_with(')')) qualifier.pop_back();
      }
      qualifier = Trim(qualifier);
      for (std::string_view ending : {") ;", ");", ")"})
        StripEnding(qualifier, ending);
      AddFixedOrderField(ctx.Out, "350", source.Ind1, source.Ind2,
                         {{'a', FirstSubfieldText(source, 'c')}, {'c', number}, {'d', qualifier}});
    }
    AddFixedOrderField(ctx.Out, "509", '1', '0', {{'a', FirstSubfieldText(source, 'z')}});
  });
}

// 022: ISSN and incorrect ISSN kept, a cancelled ISSN into 509.
void Rule022(TDialectContext& ctx) {
  ctx.Tags.ForEach("022", [&](const TMarcField& source) {
    AddFixedOrderField(ctx.Out, "022", source.Ind1, source.Ind2,
                       {{'a', FirstSubfieldText(source, 'a')}, {'z', FirstSubfieldText(source, 'z')}});
    AddFixedOrderField(ctx.Out, "509", '2', '0', {{'a', FirstSubfieldText(source, 'y')}});
  });
}

// 035: "(source)number" becomes $a number and $y source.
void Rule035(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  std::string a;
  std::string y;
  for (const auto& sub : source.Subfields) {
    if (sub->Code != 'a') continue;
    a = sub->Value;
    const std::string match = CutParenthesised(ctx, a);
    if (!match.empty()) y = TrimEnclosing(match, '(', ')');
  }
  AddFixedOrderField(ctx.Out, targetTag, source.Ind1, source.Ind2, {{'a', a}, {'y', y}});
}

// 041: one output field per language code of three letters in the first $a.
void Rule041(TDialectContext& ctx) {
  const TMarcField* source = ctx.Tags.First("041");
  if (source == nullptr || !source->HasSubfield('a')) return;
  const std::string codes(FirstSubfieldText(*source, 'a'));
  for (std::size_t pos = 0; pos + 3 <= codes.size(); pos += 3) {
    TMarcField* copy = ctx.Out.CopyField(*source);
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
void Rule084(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  const std::string_view system = TrimView(LastSubfieldText(source, '2'));
  std::string_view tag = "087";
  char code = 'a';
  for (const auto& row : ClassificationSystems)
    if (row.Source2 == system) {
      tag = targetTag;
      code = row.Code;
      break;
    }
  AddFixedOrderField(ctx.Out, tag, source.Ind1, source.Ind2,
                     {{'y', LastSubfieldText(source, '5')}, {code, LastSubfieldText(source, 'a')}});
}

// Step 16: a uniform title equal to the title proper is dropped.
void RuleDuplicateUniformTitle(TDialectContext& ctx) {
  const TMarcField* uniform = ctx.Out.FindFieldPtr("240");
  const TMarcField* title = ctx.Out.FindFieldPtr("245");
  if (uniform == nullptr || title == nullptr) return;
  const TMarcSubField* uniformA = uniform->FindSubfieldPtr('a');
  const TMarcSubField* titleA = title->FindSubfieldPtr('a');
  if (uniformA != nullptr && titleA != nullptr && uniformA->Value == titleA->Value)
    ctx.Out.DeleteField(uniform);
}

namespace {

constexpr std::array Map246Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'b', 'b'},
    TCodeRow{'f', 'b', TTextFix::Enclose},
    TCodeRow{'g', 'b', TTextFix::Enclose},
    TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'i', 'n'},
    TCodeRow{'n', 'v'},
    TCodeRow{'p', 'g'},
};
constexpr TFieldMap Map246{Map246Subfields};

// The second indicator of 246 (type of title); others become blank.
constexpr std::array Title246Types{
    TCodeRow{'0', '2'}, TCodeRow{'1', '1'}, TCodeRow{'2', '2'}, TCodeRow{'3', '3'}, TCodeRow{'4', '4'},
    TCodeRow{'5', '6'}, TCodeRow{'6', '5'}, TCodeRow{'7', '7'}, TCodeRow{'8', '8'},
};

// A display text in $i marks the title type as "9".
constexpr char DisplayTextType = '9';

} // namespace

// 246: variant titles with their type recoded.
void Rule246(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  TMarcField* field = ApplyFieldMap(source, ctx.Out, targetTag, Map246);
  if (field == nullptr) return;
  char type = Recode(Title246Types, source.Ind2, ' ');
  if (source.HasSubfield('i')) type = DisplayTextType;
  field->Ind2 = type;
}

namespace {

constexpr std::array Map249Subfields{
    TCodeRow{'b', 'b'},
    TCodeRow{'n', 'v'},
    TCodeRow{'p', 'g'},
};

} // namespace

// 249 -> 244: a parenthesised part of $a becomes $p after it.
void Rule249(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  TMarcField* field = nullptr;
  auto add = [&](char code, std::string_view text) {
    if (field == nullptr) field = ctx.Out.AddField(targetTag, source.Ind1, source.Ind2);
    field->AddSubfield(code, text);
  };
  for (const auto& sub : source.Subfields) {
    if (sub->Code == 'a') {
      std::string rest = sub->Value;
      std::string part = CutParenthesised(ctx, rest);
      if (!part.empty()) part = part.substr(1, part.size() - 2);
      rest = Trim(rest);
      StripEnding(rest, ".");
      if (!IsBlank(rest)) add('a', rest);
      if (!IsBlank(part)) add('p', part);
      continue;
    }
    const auto entry = std::find_if(Map249Subfields.begin(), Map249Subfields.end(),
                                    [&](const TCodeRow& e) { return e.From == sub->Code; });
    if (entry != Map249Subfields.end()) add(entry->To, sub->Value);
  }
}

namespace {

// $g and $q of a personal name joined; $q loses its parentheses.
constexpr std::array Joins100{TJoinSpec{"gq", " ", 'l', 'q', TTextFix::DropParens}};
constexpr std::array Map100Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'d', 'c'}, TCodeRow{'b', 'e'}, TCodeRow{'c', 'f'}, TCodeRow{JoinedText, 'l'},
};

constexpr std::array Map110Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'b', 'c'}, TCodeRow{'i', 'i'}, TCodeRow{'c', 'j'}, TCodeRow{'d', 'k'},
};

constexpr std::array Joins111{TJoinSpec{"gq", " ", 'e'}};
constexpr std::array Map111Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'e', 'c'}, TCodeRow{JoinedText, 'e'},
    TCodeRow{'n', 'i'}, TCodeRow{'c', 'j'}, TCodeRow{'d', 'k'},
};

// 130 and 240 share the map; the first indicator tells them apart.
constexpr std::array UniformTitleSubfields{
    TCodeRow{'a', 'a'}, TCodeRow{'f', 'q'}, TCodeRow{'g', 'j'}, TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'k', 'p'}, TCodeRow{'l', 'r'}, TCodeRow{'m', 'd'}, TCodeRow{'n', 'f'},
    TCodeRow{'o', 'k'}, TCodeRow{'p', 's'}, TCodeRow{'r', 'h'},
};

constexpr std::array Map210Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'b', 'c', TTextFix::Parens},
};

constexpr std::array Map222Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'b', 'b', TTextFix::Parens},
};

constexpr std::array Map245Subfields{
    TCodeRow{'a', 'a', TTextFix::StripFullStop}, TCodeRow{'b', 'b'}, TCodeRow{'f', 'b'}, TCodeRow{'c', 'e'},
    TCodeRow{'h', 'm', TTextFix::Brackets},      TCodeRow{'n', 'v'}, TCodeRow{'p', 'g'},
};

constexpr std::array Map255Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'b', 'c'},
    TCodeRow{'c', 'd'},
    TCodeRow{'e', 'e'},
};

// $d (plate number) and every other code are dropped.
constexpr std::array Map260Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'b', 'b'}, TCodeRow{'c', 'c'},
    TCodeRow{'e', 'e'}, TCodeRow{'f', 'f'}, TCodeRow{'g', 'k'},
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
