#include "profiles/sorvia_kv21/Kv21CleanUps.h"

#include <array>
#include <cstdint>
#include <cstring>
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

// Whether s holds a bracket, eight bytes at a time: every value of every
// record is looked at, and few have one. "(" and ")" differ only in the
// lowest bit, "[" and "{" (and "]" and "}") only in 0x20.
bool HasBracket(std::string_view s) {
  constexpr std::uint64_t Ones = 0x0101010101010101ULL;
  constexpr std::uint64_t Highs = 0x8080808080808080ULL;
  const auto hasByte = [](std::uint64_t word, unsigned char byte) {
    const std::uint64_t x = word ^ (Ones * byte);
    return ((x - Ones) & ~x & Highs) != 0;
  };
  std::size_t i = 0;
  for (std::uint64_t word; i + 8 <= s.size(); i += 8) {
    std::memcpy(&word, s.data() + i, 8);
    const std::uint64_t folded = word | (Ones * 0x20);
    if (hasByte(word & ~Ones, '(') || hasByte(folded, '{') || hasByte(folded, '}')) return true;
  }
  for (; i < s.size(); ++i)
    if (kBracketChars.Has(s[i])) return true;
  return false;
}

// Opening minus closing characters of each pair in s, in the order of kBracketPairs.
std::array<int, 3> BracketBalance(std::string_view s) {
  std::array<int, 256> counts{};
  for (char c : s)
    ++counts[static_cast<unsigned char>(c)];
  std::array<int, 3> balance{};
  for (std::size_t k = 0; k < balance.size(); ++k)
    balance[k] = counts[static_cast<unsigned char>(kBracketPairs[k].Open)] -
                 counts[static_cast<unsigned char>(kBracketPairs[k].Close)];
  return balance;
}

} // namespace

std::string_view FixBrackets(std::string_view s, char open, char close) {
  const bool opens = !s.empty() && s.front() == open;
  const bool closes = s.size() > 1 && s.back() == close;
  if (opens && !closes) return s.substr(1);
  if (!opens && closes) return s.substr(0, s.size() - 1);
  return s;
}

void BalanceBrackets(TMarcRec& rec) {
  for (const auto& field : rec.Fields) {
    for (const auto& subfield : field->Subfields) {
      if (!HasBracket(subfield->Value)) continue;
      std::string_view s = TrimView(subfield->Value);
      // A fix only ever takes a bracket of its own pair off an end, so the
      // counts of the pairs after it stay as they were.
      const std::array<int, 3> balance = BracketBalance(s);
      bool fixed = false;
      for (std::size_t k = 0; k < balance.size(); ++k) {
        if (balance[k] != 0) {
          s = FixBrackets(s, kBracketPairs[k].Open, kBracketPairs[k].Close);
          fixed = true;
        }
      }
      if (fixed) subfield->Value = std::string(s);
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
