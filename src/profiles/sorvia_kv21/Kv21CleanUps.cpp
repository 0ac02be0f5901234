#include "profiles/sorvia_kv21/Kv21CleanUps.h"

#include <array>
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

// In every subfield with the code of every field with one of the tags: when
// the value matches Outer, the first match of Inner within that match goes.
struct TListCleanUp {
  std::array<std::string_view, 4> Tags; // unused places empty
  char Code;
  std::string_view Outer;
  std::string_view Inner;
};
constexpr TListCleanUp kListCleanUps[] = {
    {{"245", "246", "247", "740"}, 'a', "\\w\\.$", "\\.$"},
    {{"245"}, 'h', "^\\[", "^\\["},
    {{"245"}, 'h', "\\]$", "\\]$"},
};

// The same over every tag from FromTag to ToTag.
struct TRangeCleanUp {
  std::string_view FromTag;
  std::string_view ToTag;
  char Code;
  std::string_view Outer;
  std::string_view Inner;
};
constexpr TRangeCleanUp kRangeCleanUps[] = {
    {"765", "787", 'z', "^ISBN {0,}", "^ISBN {0,}"},
    {"765", "787", 'x', "^ISSN {0,}", "^ISSN {0,}"},
};

// Some field's tag lies between the two 3-digit tags (a loose test: it never
// misses a tag of the range).
bool HasTagBetween(const TMarcRec& rec, std::string_view fromTag, std::string_view toTag) {
  for (const auto& field : rec.Fields) {
    if (field->Tag.size() == 3 && field->Tag >= fromTag && field->Tag <= toTag) return true;
  }
  return false;
}

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

TKv21CleanUps::TKv21CleanUps() {
  for (const TListCleanUp& cleanUp : kListCleanUps) {
    TTagList& list = tagLists_.emplace_back();
    for (std::string_view tag : cleanUp.Tags) {
      if (tag.empty()) continue;
      list.Tags.emplace_back(tag);
      list.Codes += cleanUp.Code;
    }
  }
}

void TKv21CleanUps::Apply(TKonvBase& konv) const {
  for (std::size_t i = 0; i < std::size(kListCleanUps); ++i) {
    konv.CleanUpWithRegEx(kListCleanUps[i].Outer, kListCleanUps[i].Inner, tagLists_[i].Tags,
                          tagLists_[i].Codes);
  }
  for (const TRangeCleanUp& cleanUp : kRangeCleanUps) {
    // One look at the tags spares a pass over the record for every tag of the range.
    if (!HasTagBetween(konv.OutRecord, cleanUp.FromTag, cleanUp.ToTag)) continue;
    konv.CleanUpWithRegExRange(cleanUp.Outer, cleanUp.Inner, cleanUp.FromTag, cleanUp.ToTag, cleanUp.Code);
  }
  DesignateReviewOrArticle(konv.OutRecord);
  StripAccompanyingPlus(konv.OutRecord);
}

void DesignateReviewOrArticle(TMarcRec& rec) {
  const TMarcField* leaderField = rec.FindFieldPtr("000");
  TMarcField* title = rec.FindFieldPtr("245");
  if (leaderField == nullptr || title == nullptr) return;
  for (const auto& field : rec.Fields) {
    if (field->Tag == "245" && field->HasSubfield('h')) return;
  }
  const std::string& leader = leaderField->Data;
  const TMarcField* related = rec.FindFieldPtr("787");
  const TMarcSubField* relation = related != nullptr ? related->FindSubfieldPtr('i') : nullptr;
  const std::string_view i = relation != nullptr ? std::string_view(relation->Value) : std::string_view();

  if (StartsWith(leader, " a c") && StartsWith(i, "Recension")) {
    title->AddSubfield('h', "Recension");
  } else if (leader.size() >= 4 && leader[3] == 'c') {
    title->AddSubfield('h', "Artikel");
  }
}

void StripAccompanyingPlus(TMarcRec& rec) {
  const TMarcField* description = rec.FindFieldPtr("300");
  TMarcSubField* e = description != nullptr ? description->FindSubfieldPtr('e') : nullptr;
  if (e == nullptr) return;
  const std::string_view value = TrimView(e->Value);
  if (!value.empty() && value.front() == '+') e->Value = Trim(value.substr(1));
}

} // namespace kelvo::sorvia_kv21
