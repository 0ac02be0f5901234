// Rules for added entries, links, holdings and local fields (700-976).
#include <array>
#include <string>
#include <string_view>

#include "profiles/sorvia_dialect/Common4All.h"
#include "profiles/sorvia_dialect/DialectRules.h"
#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

namespace {

// 700 with a $c: the title or other word goes to $f and the relator codes stay in $4.
constexpr std::array Map700WithCSubfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'b', 'e'},
    TSubfieldMapEntry{'c', 'f'},
    TSubfieldMapEntry{'d', 'c'},
    TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'t', 't'},
    TSubfieldMapEntry{'5', 'y'},
    TSubfieldMapEntry{'4', '4'},
};
constexpr std::array Joins700WithC{TJoinSpec{"gq", " ", 'l'}};

// 700 without a $c: the relator codes are gathered into $f instead.
constexpr std::array Map700Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'b', 'e'},
    TSubfieldMapEntry{'d', 'c'}, TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'t', 't'}, TSubfieldMapEntry{'5', 'y'},
};
constexpr std::array Joins700{TJoinSpec{"4", "/", 'f'}, TJoinSpec{"gq", " ", 'l'}};

constexpr TFieldMap Map700WithC{Map700WithCSubfields, Joins700WithC};
constexpr TFieldMap Map700{Map700Subfields, Joins700};

// A $c counts also when it shows only in the field's line-format text (a
// subfield text holding "$c"), as it would in the record file.
bool Has700C(const TMarcField& source) {
  if (source.HasSubfield('c')) return true;
  return source.AsText('*', '$', false).find("$c") != std::string::npos;
}

// 765 -> 759: the title proper only when there is no uniform title in $s.
constexpr std::array Map765WithSSubfields{TSubfieldMapEntry{'s', 's'}, TSubfieldMapEntry{'x', 'x'}};
constexpr std::array Map765Subfields{TSubfieldMapEntry{'s', 's'}, TSubfieldMapEntry{'x', 'x'},
                                     TSubfieldMapEntry{'t', 't'}};
constexpr TFieldMap Map765WithS{Map765WithSSubfields};
constexpr TFieldMap Map765{Map765Subfields};

// 773: the uniform title $s becomes $t and then replaces the title proper.
constexpr std::array Map773WithSSubfields{
    TSubfieldMapEntry{'s', 't'}, TSubfieldMapEntry{'x', 'n'}, TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'b', 'b'}, TSubfieldMapEntry{'d', 'd'}, TSubfieldMapEntry{'g', 'g'},
    TSubfieldMapEntry{'k', 'k'}, TSubfieldMapEntry{'p', 'p'}, TSubfieldMapEntry{'z', 'z'},
    TSubfieldMapEntry{'3', '3'},
};
constexpr std::array Map773Subfields{
    TSubfieldMapEntry{'s', 't'}, TSubfieldMapEntry{'t', 't'}, TSubfieldMapEntry{'x', 'n'},
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'b', 'b'}, TSubfieldMapEntry{'d', 'd'},
    TSubfieldMapEntry{'g', 'g'}, TSubfieldMapEntry{'k', 'k'}, TSubfieldMapEntry{'p', 'p'},
    TSubfieldMapEntry{'z', 'z'}, TSubfieldMapEntry{'3', '3'},
};
constexpr TFieldMap Map773WithS{Map773WithSSubfields};
constexpr TFieldMap Map773{Map773Subfields};

// 856 without an address keeps only the access method and remarks.
constexpr std::array Map856NoAddressSubfields{TSubfieldMapEntry{'d', 'd'}, TSubfieldMapEntry{'f', 'f'}};
constexpr TFieldMap Map856NoAddress{Map856NoAddressSubfields};

} // namespace

// 700: personal added entries; where the relator codes go depends on $c.
void Rule700(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  ApplyFieldMap(source, kv.OutRecord, targetTag, Has700C(source) ? Map700WithC : Map700);
}

// 765 -> 759: original-language entry.
void Rule765(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  ApplyFieldMap(source, kv.OutRecord, targetTag, source.HasSubfield('s') ? Map765WithS : Map765);
}

// 773: host item entry.
void Rule773(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  ApplyFieldMap(source, kv.OutRecord, targetTag, source.HasSubfield('s') ? Map773WithS : Map773);
}

// 785: succeeding entries are kept for the relationships "0" to "6" only.
void Rule785(TMrc21ToMrcKv& kv) {
  kv.SourceTags().ForEach("785", [&](const TMarcField& source) {
    if (source.Ind2 >= '0' && source.Ind2 <= '6') kv.OutRecord.CopyField(source);
  });
}

namespace {

// 852 subfields that become one output subfield each; $b, $5, $h and $l are
// handled by Rule852 itself.
constexpr std::array Holdings852Subfields{
    TSubfieldMapEntry{'c', 'a'}, TSubfieldMapEntry{'j', 'c'}, TSubfieldMapEntry{'t', 'd'},
    TSubfieldMapEntry{'i', 's'}, TSubfieldMapEntry{'x', 'x'}, TSubfieldMapEntry{'z', 'z'},
    TSubfieldMapEntry{'2', '2'}, TSubfieldMapEntry{'3', '3'},
};

// The shelving location ($h and $l) goes to $b after the other subfields.
constexpr TJoinSpec Classification852{"hl", ", ", 'b'};

} // namespace

// 852 -> 096: holdings. Every $b and $5 gives a $y with the first sigel of
// its kind; a $5 equal to the $b adds nothing.
void Rule852(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  const std::string_view b = FirstSubfieldText(source, 'b');
  std::string_view s5 = FirstSubfieldText(source, '5');
  if (s5 == b) s5 = {};

  TMarcField* field = nullptr;
  auto add = [&](char code, std::string_view text) {
    if (field == nullptr) field = kv.OutRecord.AddField(targetTag, source.Ind1, source.Ind2);
    field->AddSubfield(code, text);
  };
  std::string classification;
  for (const auto& sub : source.Subfields) {
    const char code = sub->Code;
    if (code == 'b') {
      add('y', b);
    } else if (code == '5') {
      if (!IsBlank(s5)) add('y', s5);
    } else if (Classification852.Codes.find(code) != std::string_view::npos) {
      if (IsBlank(sub->Value)) continue;
      if (!classification.empty()) classification += Classification852.Separator;
      classification += sub->Value;
    } else {
      for (const auto& entry : Holdings852Subfields)
        if (entry.From == code) {
          add(entry.To, sub->Value);
          break;
        }
    }
  }
  if (!IsBlank(classification)) add(Classification852.To, classification);
}

// 856: a field with an address is kept whole.
void Rule856(TMrc21ToMrcKv& kv, const TMarcField& source, std::string_view targetTag) {
  if (source.HasSubfield('u'))
    kv.OutRecord.CopyField(source, targetTag);
  else
    ApplyFieldMap(source, kv.OutRecord, targetTag, Map856NoAddress);
}

namespace {

// Output link fields whose record number may carry a source code before it.
constexpr std::array<std::string_view, 2> LinkNumberTags{"760", "762"};

bool IsBlankChar(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The first blank-separated piece of text that begins with a digit or an
// ASCII letter, or none.
std::string_view FirstNumberPiece(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && IsBlankChar(text[pos]))
      ++pos;
    std::size_t end = pos;
    while (end < text.size() && !IsBlankChar(text[end]))
      ++end;
    if (end > pos && IsAsciiAlnum(text[pos])) return text.substr(pos, end - pos);
    pos = end;
  }
  return {};
}

} // namespace

// Step 64: "(SE-LIBR) 1234" in the first $w of 760 and 762 becomes "1234".
void RuleLinkNumbers(TMrc21ToMrcKv& kv) {
  for (std::string_view tag : LinkNumberTags)
    for (const auto& field : kv.OutRecord.Fields) {
      if (field->Tag != tag) continue;
      TMarcSubField* w = field->FindSubfieldPtr('w');
      if (w == nullptr) continue;
      const std::string_view piece = FirstNumberPiece(w->Value);
      if (!piece.empty()) w->Value = std::string(piece);
    }
}

namespace {

constexpr std::array Map710Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'b', 'c'},
    TSubfieldMapEntry{'c', 'j'},
    TSubfieldMapEntry{'d', 'k'},
    TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'n', 'i'},
    TSubfieldMapEntry{'t', 't'},
    TSubfieldMapEntry{'4', '4'},
    TSubfieldMapEntry{'5', 'y'},
};

constexpr std::array Map711Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'c', 'j'},
    TSubfieldMapEntry{'d', 'k'},
    TSubfieldMapEntry{'e', 'c'},
    TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'n', 'i'},
    TSubfieldMapEntry{'t', 't'},
    TSubfieldMapEntry{'4', '4'},
    TSubfieldMapEntry{'5', 'y'},
};
constexpr std::array Joins711{TJoinSpec{"gq", " ", 'e'}};

constexpr std::array Map730Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'g', 'j'}, TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'k', 'p'}, TSubfieldMapEntry{'l', 'r'}, TSubfieldMapEntry{'m', 'd'},
    TSubfieldMapEntry{'n', 'f'}, TSubfieldMapEntry{'o', 'k'}, TSubfieldMapEntry{'p', 's'},
    TSubfieldMapEntry{'r', 'h'}, TSubfieldMapEntry{'s', 'q'}, TSubfieldMapEntry{'t', 't'},
    TSubfieldMapEntry{'5', 'y'},
};

constexpr std::array Map866Subfields{
    TSubfieldMapEntry{'5', 'y'},
    TSubfieldMapEntry{'a', 'b'},
    TSubfieldMapEntry{'x', 'x'},
    TSubfieldMapEntry{'z', 'z'},
};

// Local personal name: $q loses its end punctuation and parentheses before the join.
constexpr std::array Map900Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'u', 'u'}, TSubfieldMapEntry{'b', 'e'},
    TSubfieldMapEntry{'c', 'f'}, TSubfieldMapEntry{'d', 'c'},
};
constexpr std::array Joins900{TJoinSpec{"gq", " ", 'l', 'q', TTextFix::Parens}};

constexpr std::array Map910Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'u', 'u'}, TSubfieldMapEntry{'b', 'c'},
    TSubfieldMapEntry{'c', 'j'}, TSubfieldMapEntry{'d', 'k'}, TSubfieldMapEntry{'n', 'i'},
};

constexpr std::array Map911Subfields{
    TSubfieldMapEntry{'a', 'a'}, TSubfieldMapEntry{'u', 'u'}, TSubfieldMapEntry{'c', 'j'},
    TSubfieldMapEntry{'d', 'k'}, TSubfieldMapEntry{'e', 'c'}, TSubfieldMapEntry{'n', 'i'},
};
constexpr std::array Joins911{TJoinSpec{"gq", " ", 'e'}};

constexpr std::array Map930Subfields{
    TSubfieldMapEntry{'a', 'a'},
    TSubfieldMapEntry{'u', 'u'},
    TSubfieldMapEntry{'f', 'q'},
    TSubfieldMapEntry{'g', 'j'},
    TSubfieldMapEntry{'h', 'm', TTextFix::Brackets},
    TSubfieldMapEntry{'k', 'p'},
    TSubfieldMapEntry{'l', 'r'},
    TSubfieldMapEntry{'m', 'd'},
    TSubfieldMapEntry{'n', 'f'},
    TSubfieldMapEntry{'o', 'k'},
    TSubfieldMapEntry{'p', 's'},
    TSubfieldMapEntry{'r', 'h'},
};

} // namespace

const TFieldMap Map710{Map710Subfields};
const TFieldMap Map711{Map711Subfields, Joins711};
const TFieldMap Map730{Map730Subfields};
const TFieldMap Map866{Map866Subfields};
const TFieldMap Map900{Map900Subfields, Joins900};
const TFieldMap Map910{Map910Subfields};
const TFieldMap Map911{Map911Subfields, Joins911};
const TFieldMap Map930{Map930Subfields, {}, TMapOrder::Source, '0'};

} // namespace kelvo::sorvia_dialect
