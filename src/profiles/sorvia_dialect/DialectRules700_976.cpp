// Rules for added entries, links, holdings and local fields (700-976).
#include <array>
#include <string>
#include <string_view>

#include "profiles/common/Common4All.h"
#include "profiles/sorvia_dialect/DialectRules.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

namespace {

// 700 with a $c: the title or other word goes to $f and the relator codes stay in $4.
constexpr std::array Map700WithCSubfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'b', 'e'},
    TCodeRow{'c', 'f'},
    TCodeRow{'d', 'c'},
    TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'t', 't'},
    TCodeRow{'5', 'y'},
    TCodeRow{'4', '4'},
};
constexpr std::array Joins700WithC{TJoinSpec{"gq", " ", 'l'}};

// 700 without a $c: the relator codes are gathered into $f instead.
constexpr std::array Map700Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'b', 'e'}, TCodeRow{'d', 'c'}, TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'t', 't'}, TCodeRow{'5', 'y'},
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
constexpr std::array Map765WithSSubfields{TCodeRow{'s', 's'}, TCodeRow{'x', 'x'}};
constexpr std::array Map765Subfields{TCodeRow{'s', 's'}, TCodeRow{'x', 'x'}, TCodeRow{'t', 't'}};
constexpr TFieldMap Map765WithS{Map765WithSSubfields};
constexpr TFieldMap Map765{Map765Subfields};

// 773: the uniform title $s becomes $t and then replaces the title proper.
constexpr std::array Map773WithSSubfields{
    TCodeRow{'s', 't'}, TCodeRow{'x', 'n'}, TCodeRow{'a', 'a'}, TCodeRow{'b', 'b'}, TCodeRow{'d', 'd'},
    TCodeRow{'g', 'g'}, TCodeRow{'k', 'k'}, TCodeRow{'p', 'p'}, TCodeRow{'z', 'z'}, TCodeRow{'3', '3'},
};
constexpr std::array Map773Subfields{
    TCodeRow{'s', 't'}, TCodeRow{'t', 't'}, TCodeRow{'x', 'n'}, TCodeRow{'a', 'a'},
    TCodeRow{'b', 'b'}, TCodeRow{'d', 'd'}, TCodeRow{'g', 'g'}, TCodeRow{'k', 'k'},
    TCodeRow{'p', 'p'}, TCodeRow{'z', 'z'}, TCodeRow{'3', '3'},
};
constexpr TFieldMap Map773WithS{Map773WithSSubfields};
constexpr TFieldMap Map773{Map773Subfields};

// 856 without an address keeps only the access method and remarks.
constexpr std::array Map856NoAddressSubfields{TCodeRow{'d', 'd'}, TCodeRow{'f', 'f'}};
constexpr TFieldMap Map856NoAddress{Map856NoAddressSubfields};

} // namespace

// 700: personal added entries; where the relator codes go depends on $c.
void Rule700(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  ApplyFieldMap(source, ctx.Out, targetTag, Has700C(source) ? Map700WithC : Map700);
}

// 765 -> 759: original-language entry.
void Rule765(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  ApplyFieldMap(source, ctx.Out, targetTag, source.HasSubfield('s') ? Map765WithS : Map765);
}

// 773: host item entry.
void Rule773(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  ApplyFieldMap(source, ctx.Out, targetTag, source.HasSubfield('s') ? Map773WithS : Map773);
}

// 785: succeeding entries are kept for the relationships "0" to "6" only.
void Rule785(TDialectContext& ctx) {
  ctx.Tags.ForEach("785", [&](const TMarcField& source) {
    if (source.Ind2 >= '0' && source.Ind2 <= '6') ctx.Out.CopyField(source);
  });
}

namespace {

// 852 subfields that become one output subfield each; $b, $5, $h and $l are
// handled by Rule852 itself.
constexpr std::array Holdings852Subfields{
    TCodeRow{'c', 'a'}, TCodeRow{'j', 'c'}, TCodeRow{'t', 'd'}, TCodeRow{'i', 's'},
    TCodeRow{'x', 'x'}, TCodeRow{'z', 'z'}, TCodeRow{'2', '2'}, TCodeRow{'3', '3'},
};

// The shelving location ($h and $l) goes to $b after the other subfields.
constexpr TJoinSpec Classification852{"hl", ", ", 'b'};

} // namespace

// 852 -> 096: holdings. Every $b and $5 gives a $y with the first sigel of
// its kind; a $5 equal to the $b adds nothing.
void Rule852(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  const std::string_view b = FirstSubfieldText(source, 'b');
  std::string_view s5 = FirstSubfieldText(source, '5');
  if (s5 == b) s5 = {};

  TMarcField* field = nullptr;
  auto add = [&](char code, std::string_view text) {
    if (field == nullptr) field = ctx.Out.AddField(targetTag, source.Ind1, source.Ind2);
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
void Rule856(TDialectContext& ctx, const TMarcField& source, std::string_view targetTag) {
  if (source.HasSubfield('u'))
    ctx.Out.CopyField(source, targetTag);
  else
    ApplyFieldMap(source, ctx.Out, targetTag, Map856NoAddress);
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
void RuleLinkNumbers(TDialectContext& ctx) {
  for (std::string_view tag : LinkNumberTags)
    for (const auto& field : ctx.Out.Fields) {
      if (!field->HasTag(tag)) continue;
      TMarcSubField* w = field->FindSubfieldPtr('w');
      if (w == nullptr) continue;
      const std::string_view piece = FirstNumberPiece(w->Value);
      if (!piece.empty()) w->Value = std::string(piece);
    }
}

namespace {

constexpr std::array Map710Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'b', 'c'},
    TCodeRow{'c', 'j'},
    TCodeRow{'d', 'k'},
    TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'n', 'i'},
    TCodeRow{'t', 't'},
    TCodeRow{'4', '4'},
    TCodeRow{'5', 'y'},
};

constexpr std::array Map711Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'c', 'j'},
    TCodeRow{'d', 'k'},
    TCodeRow{'e', 'c'},
    TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'n', 'i'},
    TCodeRow{'t', 't'},
    TCodeRow{'4', '4'},
    TCodeRow{'5', 'y'},
};
constexpr std::array Joins711{TJoinSpec{"gq", " ", 'e'}};

constexpr std::array Map730Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'g', 'j'}, TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'k', 'p'}, TCodeRow{'l', 'r'}, TCodeRow{'m', 'd'},
    TCodeRow{'n', 'f'}, TCodeRow{'o', 'k'}, TCodeRow{'p', 's'},
    TCodeRow{'r', 'h'}, TCodeRow{'s', 'q'}, TCodeRow{'t', 't'},
    TCodeRow{'5', 'y'},
};

constexpr std::array Map866Subfields{
    TCodeRow{'5', 'y'},
    TCodeRow{'a', 'b'},
    TCodeRow{'x', 'x'},
    TCodeRow{'z', 'z'},
};

// Local personal name: $q loses its end punctuation and parentheses before the join.
constexpr std::array Map900Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'u', 'u'}, TCodeRow{'b', 'e'}, TCodeRow{'c', 'f'}, TCodeRow{'d', 'c'},
};
constexpr std::array Joins900{TJoinSpec{"gq", " ", 'l', 'q', TTextFix::Parens}};

constexpr std::array Map910Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'u', 'u'}, TCodeRow{'b', 'c'},
    TCodeRow{'c', 'j'}, TCodeRow{'d', 'k'}, TCodeRow{'n', 'i'},
};

constexpr std::array Map911Subfields{
    TCodeRow{'a', 'a'}, TCodeRow{'u', 'u'}, TCodeRow{'c', 'j'},
    TCodeRow{'d', 'k'}, TCodeRow{'e', 'c'}, TCodeRow{'n', 'i'},
};
constexpr std::array Joins911{TJoinSpec{"gq", " ", 'e'}};

constexpr std::array Map930Subfields{
    TCodeRow{'a', 'a'},
    TCodeRow{'u', 'u'},
    TCodeRow{'f', 'q'},
    TCodeRow{'g', 'j'},
    TCodeRow{'h', 'm', TTextFix::Brackets},
    TCodeRow{'k', 'p'},
    TCodeRow{'l', 'r'},
    TCodeRow{'m', 'd'},
    TCodeRow{'n', 'f'},
    TCodeRow{'o', 'k'},
    TCodeRow{'p', 's'},
    TCodeRow{'r', 'h'},
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
