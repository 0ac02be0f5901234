#include "profiles/common/Common4All.h"

#include <algorithm>

#include "convert/KonvBase.h"
#include "record/vostr.h"

namespace kelvo::common {

bool StripEnding(std::string& text, std::string_view ending) {
  if (text.size() <= ending.size() || !text.ends_with(ending)) return false;
  text.resize(text.size() - ending.size());
  return true;
}

void StripEndPunctuation(std::string& text) {
  for (std::string_view ending : EndPunctuation)
    StripEnding(text, ending);
}

std::string TrimEnclosing(std::string_view text, char open, char close) {
  std::string_view s = TrimView(text);
  if (!s.empty() && s.front() == open) s.remove_prefix(1);
  if (!s.empty() && s.back() == close) s.remove_suffix(1);
  return std::string(s);
}

void CopyFieldsAs(const TTagIndex& source, TMarcRec& out, std::string_view sourceTag,
                  std::string_view newTag) {
  source.ForEach(sourceTag, [&](const TMarcField& field) { out.CopyField(field, newTag); });
}

void FinalCleanUps(TMarcRec& out, TCleanUpPatterns& patterns, char designationCode) {
  for (std::string_view tag : {"245", "246", "247", "740"})
    CleanUpSubfields(out, tag, 'a', patterns.WordFullStop, patterns.FullStop);
  // Most records have no linking field; the range walks the record once per tag.
  const bool hasLinks = std::any_of(out.Fields.begin(), out.Fields.end(), [](const auto& field) {
    return field->Tag.size() == 3 && field->Tag >= "765" && field->Tag <= "787";
  });
  if (hasLinks) {
    for (int tag = 765; tag <= 787; ++tag)
      CleanUpSubfields(out, std::to_string(tag), 'z', patterns.Isbn, patterns.IsbnInner);
    for (int tag = 765; tag <= 787; ++tag)
      CleanUpSubfields(out, std::to_string(tag), 'x', patterns.Issn, patterns.IssnInner);
  }
  AddArticleDesignation(out, designationCode);
}

void AddArticleDesignation(TMarcRec& out, char code) {
  for (const auto& field : out.Fields)
    if (field->HasTag("245") && field->HasSubfield(code)) return;
  const TMarcField* leaderField = out.FindFieldPtr("000");
  TMarcField* title = out.FindFieldPtr("245");
  if (leaderField == nullptr || title == nullptr) return;
  const std::string_view leader = leaderField->Data;
  const TMarcField* link = out.FindFieldPtr("787");
  const TMarcSubField* relation = link != nullptr ? link->FindSubfieldPtr('i') : nullptr;
  const std::string_view linkText =
      relation != nullptr ? std::string_view(relation->Value) : std::string_view();
  if (leader.starts_with(" a c") && linkText.starts_with("Recension"))
    title->AddSubfield(code, "Recension");
  else if (leader.size() > 3 && leader[3] == 'c')
    title->AddSubfield(code, "Artikel");
}

} // namespace kelvo::common
