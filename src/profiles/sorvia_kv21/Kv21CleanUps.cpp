#include "profiles/sorvia_kv21/Kv21CleanUps.h"

#include <utility>

#include "convert/KonvBase.h"
#include "record/MarcRec.h"
#include "record/vostr.h"

namespace kelvo::sorvia_kv21 {

namespace {

struct TBracketPair {
  char Open;
  char Close;
};
constexpr TBracketPair kBracketPairs[] = {{'(', ')'}, {'[', ']'}, {'{', '}'}};
constexpr CharSet kBracketChars{"()[]{}"};

} // namespace

std::string FixBrackets(std::string_view s, char open, char close) {
  const bool opens = !s.empty() && s.front() == open;
  const bool closes = s.size() > 1 && s.back() == close;
  if (opens && !closes) return std::string(s.substr(1));
  if (!opens && closes) return std::string(s.substr(0, s.size() - 1));
  return std::string(s);
}

void BalanceBrackets(TMarcRec& rec) {
  for (const auto& field : rec.Fields) {
    for (const auto& subfield : field->Subfields) {
      if (!HasCharInSet(subfield->Value, kBracketChars)) continue;
      std::string s = Trim(subfield->Value);
      bool fixed = false;
      for (const TBracketPair& pair : kBracketPairs) {
        if (CharCount(s, pair.Open) != CharCount(s, pair.Close)) {
          s = FixBrackets(s, pair.Open, pair.Close);
          fixed = true;
        }
      }
      if (fixed) subfield->Value = std::move(s);
    }
  }
}

void ApplyCleanUps(TMarcRec& rec, TKv21CleanUpPatterns& patterns) {
  CleanUpSubfields(rec, "245", 'h', patterns.OpeningBracket, patterns.OpeningBracketInner);
  CleanUpSubfields(rec, "245", 'h', patterns.ClosingBracket, patterns.ClosingBracketInner);
  common::FinalCleanUps(rec, patterns.CleanUps, 'h');
  StripAccompanyingPlus(rec);
}

void StripAccompanyingPlus(TMarcRec& rec) {
  const TMarcField* description = rec.FindFieldPtr("300");
  TMarcSubField* e = description != nullptr ? description->FindSubfieldPtr('e') : nullptr;
  if (e == nullptr) return;
  const std::string_view value = TrimView(e->Value);
  if (!value.empty() && value.front() == '+') e->Value = Trim(value.substr(1));
}

} // namespace kelvo::sorvia_kv21
