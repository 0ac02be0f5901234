// Rules for the description, series, notes and subjects (300-697).
#include <array>
#include <string>
#include <string_view>

#include "profiles/sorvia_dialect/DialectRules.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

namespace {

// The texts of every subfield of source, whatever its code, joined with
// separator (a blank text adds nothing), as $a of a 500 with blank indicators.
void AddMergedNote(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag,
                   std::string_view separator) {
  std::string joined;
  for (const auto& sub : source.Subfields) {
    if (IsBlank(sub->Value)) continue;
    if (!joined.empty()) joined += separator;
    joined += sub->Value;
  }
  AddFixedOrderField(ctx.Out, targetTag, ' ', ' ', {{'a', joined}});
}

} // namespace

// 506 to 513: all subfields of a note in one $a, separated by "; ".
void RuleNoteMergeSemicolon(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  AddMergedNote(ctx, source, targetTag, "; ");
}

// 514, 518 and 524: all subfields of a note in one $a, separated by ". ".
void RuleNoteMergeFullStop(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  AddMergedNote(ctx, source, targetTag, ". ");
}

// 515, 516 and 522: the first $a alone, under the source indicators.
void RuleFirstANote(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  AddFixedOrderField(ctx.Out, targetTag, source.Ind1, source.Ind2, {{'a', FirstSubfieldText(source, 'a')}});
}

namespace {

constexpr std::array Map650Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'v', 'v'}, TCodeRow{'x', 'b'}, TCodeRow{'y', 'd'},
    TCodeRow{'z', 'c'}, TCodeRow{'2', 'x'}, TCodeRow{'5', 'y'},
};
constexpr TFieldMap Map650{Map650Subfields};

// A topical term of the second thesaurus (second indicator "2") has a tag of
// its own; every other one goes to the general subject tag.
constexpr char MedicalThesaurus = '2';

} // namespace

// 650 -> 660 or 696, by the thesaurus named in the second indicator.
void Rule650(TDialectContext& ctx) {
  ctx.Tags.ForEach("650", [&](const TMarcField& source) {
    ApplyFieldMap(source, ctx.Out, source.Ind2 == MedicalThesaurus ? "660" : "696", Map650);
  });
}

namespace {

// The lower-case letters that send an uncontrolled term to 697: "a" to "z"
// and the code page 1252 characters 162, 224 to 246 and 248 to 255.
constexpr bool IsTermLowerCase(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || u == 162 || (u >= 224 && u <= 246) || u >= 248;
}

bool HasLowerCase(std::string_view text) {
  for (char c : text)
    if (IsTermLowerCase(c)) return true;
  return false;
}

} // namespace

// 653: copied whole, under 697 when its first $a has a lower-case letter;
// the first $5 becomes $y.
void Rule653(TDialectContext& ctx) {
  ctx.Tags.ForEach("653", [&](const TMarcField& source) {
    const std::string_view tag = HasLowerCase(FirstSubfieldText(source, 'a')) ? "697" : "653";
    TMarcField* copy = ctx.Out.CopyField(source, tag);
    if (TMarcSubField* library = copy->FindSubfieldPtr('5')) library->Code = 'y';
  });
}

namespace {

// $b, $3 and $e ($d) in source order, then the extent ($a and $f) as $g and
// the dimensions ($c, and $g in parentheses) as $c.
constexpr std::array Map300Subfields{
    TCodeRow{'b', 'b'},
    TCodeRow{'3', '3'},
    TCodeRow{'e', 'd'},
};
constexpr std::array Joins300{
    TJoinSpec{"af", " ", 'g'},
    TJoinSpec{"cg", " ", 'c', 'g', TTextFix::Wrap},
};

constexpr std::array Map440Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'v', 'v'},
    TCodeRow{'x', 'n'},
};
constexpr std::array Joins440{TJoinSpec{"np", " ", 'g'}};

constexpr std::array Map500Subfields{
    TCodeRow{'3', '3'},
    TCodeRow{'5', 'y'},
    TCodeRow{'a', 'a'},
};

constexpr std::array Map501Subfields{
    TCodeRow{'5', 'y'},
    TCodeRow{'a', 'a'},
};

constexpr std::array Map600Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'b', 'e'},
    TCodeRow{'c', 'f'},
    TCodeRow{'d', 'c'},
    TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'t', 't'},
    TCodeRow{'x', 'o'},
    TCodeRow{'y', 'u'},
    TCodeRow{'z', 'z'},
    TCodeRow{'5', 'y'},
};
// $g and the fuller form of the name ($q, without its parentheses) as $l.
constexpr std::array Joins600{TJoinSpec{"gq", " ", 'l', 'q', TTextFix::TrimParens}};

constexpr std::array Map610Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'b', 'c'},
    TCodeRow{'c', 'j'},
    TCodeRow{'d', 'k'},
    TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'n', 'i'},
    TCodeRow{'t', 't'},
    TCodeRow{'x', 'o'},
    TCodeRow{'y', 'u'},
    TCodeRow{'z', 'z'},
    TCodeRow{'5', 'y'},
};

constexpr std::array Map611Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'c', 'j'},
    TCodeRow{'d', 'k'},
    TCodeRow{'e', 'c'},
    TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'n', 'i'},
    TCodeRow{'t', 't'},
    TCodeRow{'x', 'o'},
    TCodeRow{'y', 'u'},
    TCodeRow{'z', 'z'},
    TCodeRow{'5', 'y'},
};
constexpr std::array Joins611{TJoinSpec{"gq", " ", 'e'}};

constexpr std::array Map630Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'g', 'j'}, TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'k', 'p'}, TCodeRow{'l', 'r'}, TCodeRow{'m', 'd'},
    TCodeRow{'n', 'f'}, TCodeRow{'o', 'k'}, TCodeRow{'p', 's'},
    TCodeRow{'r', 'h'}, TCodeRow{'t', 't'}, TCodeRow{'x', 'o'},
    TCodeRow{'y', 'u'}, TCodeRow{'z', 'z'}, TCodeRow{'5', 'y'},
};

constexpr std::array Map651Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'v', 'v'}, TCodeRow{'x', 'b'}, TCodeRow{'y', 'd'},
    TCodeRow{'z', 'c'}, TCodeRow{'2', '2'}, TCodeRow{'5', 'y'},
};

} // namespace

const TFieldMap Map300{Map300Subfields, Joins300};
const TFieldMap Map440{Map440Subfields, Joins440};
const TFieldMap Map490{Map440Subfields}; // the series map of 440 without its joined part
const TFieldMap Map500{Map500Subfields};
const TFieldMap Map501{Map501Subfields};
const TFieldMap Map600{Map600Subfields, Joins600};
const TFieldMap Map610{Map610Subfields};
const TFieldMap Map611{Map611Subfields, Joins611};
const TFieldMap Map630{Map630Subfields};
const TFieldMap Map651{Map651Subfields};

} // namespace kelvo::sorvia_dialect
