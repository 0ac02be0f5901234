// Rules for the description, series, notes and subjects (300-697).
#include <array>
#include <string>
#include <string_view>

#include "profiles/sorvia_dialect/DialectRules.h"
#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

namespace {

// The texts of every subfield of source, whatever its code, joined with
// separator (a blank text adds nothing), as $a of a 500 with blank indicators.
void AddMergedNote(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag,
                   std::string_view separator) {
  std::string joined;
  for (const auto& sub : source.Subfields) {
    if (IsBlank(sub->Value)) continue;
    if (!joined.empty()) joined += separator;
    joined += sub->Value;
  }
  AddFixedOrderField(kv.OutRecord, targetTag, ' ', ' ', {{'a', joined}});
}

} // namespace

// 506 to 513: all subfields of a note in one $a, separated by "; ".
void RuleNoteMergeSemicolon(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  AddMergedNote(kv, source, targetTag, "; ");
}

// 514, 518 and 524: all subfields of a note in one $a, separated by ". ".
void RuleNoteMergeFullStop(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  AddMergedNote(kv, source, targetTag, ". ");
}

// 515, 516 and 522: the first $a alone, under the source indicators.
void RuleFirstANote(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  AddFixedOrderField(kv.OutRecord, targetTag, source.Ind1, source.Ind2,
                     {{'a', FirstSubfieldText(source, 'a')}});
}

namespace {

constexpr std::array Map650Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'v', 'v'}, TSubfieldMapEntry{'x', 'b'},
    TSubfieldMapEntry{'y', 'd'}, TSubfieldMapEntry{'z', 'c'}, TSubfieldMapEntry{'2', 'x'},
    TSubfieldMapEntry{'5', 'y'},
};
constexpr TFieldMap Map650{Map650Subfields};

// A topical term of the second thesaurus (second indicator "2") has a tag of
// its own; every other one goes to the general subject tag.
constexpr char MedicalThesaurus = '2';

} // namespace

// 650 -> 660 or 696, by the thesaurus named in the second indicator.
void Rule650(TMrc21ToMrcKv& kv) {
  kv.SourceTags().ForEach("650", [&](const TMarcField& source) {
    ApplyFieldMap(source, kv.OutRecord, source.Ind2 == MedicalThesaurus ? "660" : "696", Map650);
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
void Rule653(TMrc21ToMrcKv& kv) {
  kv.SourceTags().ForEach("653", [&](const TMarcField& source) {
    const std::string_view tag = HasLowerCase(FirstSubfieldText(source, 'a')) ? "697" : "653";
    TMarcField* copy = kv.OutRecord.CopyField(source, tag);
    if (TMarcSubField* library = copy->FindSubfieldPtr('5')) library->Code = 'y';
  });
}

namespace {

// $b, $3 and $e ($d) in source order, then the extent ($a and $f) as $g and
// the dimensions ($c, and $g in parentheses) as $c.
constexpr std::array Map300Subfields{
    TSubfieldMapEntry{'b', 'b'},
    TSubfieldMapEntry{'3', '3'},
    TSubfieldMapEntry{'e', 'd'},
};
constexpr std::array Joins300{
    TJoinSpec{"af", " ", 'g'},
    TJoinSpec{"cg", " ", 'c', 'g', TTextFix::Wrap},
};

constexpr std::array Map440Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'v', 'v'},
    TSubfieldMapEntry{'x', 'n'},
};
constexpr std::array Joins440{TJoinSpec{"np", " ", 'g'}};

constexpr std::array Map500Subfields{
    TSubfieldMapEntry{'3', '3'},
    TSubfieldMapEntry{'5', 'y'},
    TSubfieldMapEntry{'a', 'a'},
};

constexpr std::array Map501Subfields{
    TSubfieldMapEntry{'5', 'y'},
    TSubfieldMapEntry{'a', 'a'},
};

constexpr std::array Map600Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'b', 'e'},
    TSubfieldMapEntry{'c', 'f'},
    TSubfieldMapEntry{'d', 'c'},
    TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'t', 't'},
    TSubfieldMapEntry{'x', 'o'},
    TSubfieldMapEntry{'y', 'u'},
    TSubfieldMapEntry{'z', 'z'},
    TSubfieldMapEntry{'5', 'y'},
};
// $g and the fuller form of the name ($q, without its parentheses) as $l.
constexpr std::array Joins600{TJoinSpec{"gq", " ", 'l', 'q', TTextFix::TrimParens}};

constexpr std::array Map610Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'b', 'c'},
    TSubfieldMapEntry{'c', 'j'},
    TSubfieldMapEntry{'d', 'k'},
    TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'n', 'i'},
    TSubfieldMapEntry{'t', 't'},
    TSubfieldMapEntry{'x', 'o'},
    TSubfieldMapEntry{'y', 'u'},
    TSubfieldMapEntry{'z', 'z'},
    TSubfieldMapEntry{'5', 'y'},
};

constexpr std::array Map611Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'c', 'j'},
    TSubfieldMapEntry{'d', 'k'},
    TSubfieldMapEntry{'e', 'c'},
    TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'n', 'i'},
    TSubfieldMapEntry{'t', 't'},
    TSubfieldMapEntry{'x', 'o'},
    TSubfieldMapEntry{'y', 'u'},
    TSubfieldMapEntry{'z', 'z'},
    TSubfieldMapEntry{'5', 'y'},
};
constexpr std::array Joins611{TJoinSpec{"gq", " ", 'e'}};

constexpr std::array Map630Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'g', 'j'}, TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'k', 'p'}, TSubfieldMapEntry{'l', 'r'}, TSubfieldMapEntry{'m', 'd'},
    TSubfieldMapEntry{'n', 'f'}, TSubfieldMapEntry{'o', 'k'}, TSubfieldMapEntry{'p', 's'},
    TSubfieldMapEntry{'r', 'h'}, TSubfieldMapEntry{'t', 't'}, TSubfieldMapEntry{'x', 'o'},
    TSubfieldMapEntry{'y', 'u'}, TSubfieldMapEntry{'z', 'z'}, TSubfieldMapEntry{'5', 'y'},
};

constexpr std::array Map651Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'v', 'v'}, TSubfieldMapEntry{'x', 'b'},
    TSubfieldMapEntry{'y', 'd'}, TSubfieldMapEntry{'z', 'c'}, TSubfieldMapEntry{'2', '2'},
    TSubfieldMapEntry{'5', 'y'},
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
