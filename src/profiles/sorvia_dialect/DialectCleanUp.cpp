#include "profiles/sorvia_dialect/DialectCleanUp.h"

#include <algorithm>
#include <string>

#include "profiles/sorvia_dialect/Common4All.h"
#include "profiles/sorvia_dialect/DialectHelpers.h"
#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

void CleanSubfieldEndings(TMarcRec& out) {
  for (const auto& field : out.Fields) {
    const bool keepParens = field->Tag == "300";
    for (const auto& sub : field->Subfields) {
      std::string& text = sub->Value;
      for (std::string_view ending : EndPunctuation)
        if (StripEnding(text, ending)) break;
      if (keepParens || CharCount(text, '(') == CharCount(text, ')')) continue;
      const bool opens = text.starts_with('(');
      const bool closes = text.ends_with(')');
      if (opens && !closes)
        text.erase(0, 1);
      else if (closes && !opens)
        text.pop_back();
    }
  }
}

void StripPlusEndings(TMarcRec& out) {
  for (const auto& field : out.Fields)
    if (field->Tag == "300")
      for (const auto& sub : field->Subfields)
        StripEnding(sub->Value, " +");
}

void AddArticleDesignation(TMarcRec& out) {
  for (const auto& field : out.Fields)
    if (field->Tag == "245" && field->HasSubfield('m')) return;
  const TMarcField* leaderField = out.FindFieldPtr("000");
  TMarcField* title = out.FindFieldPtr("245");
  if (leaderField == nullptr || title == nullptr) return;
  const std::string_view leader = leaderField->Data;
  const TMarcField* link = out.FindFieldPtr("787");
  const std::string_view linkText = link != nullptr ? FirstSubfieldText(*link, 'i') : std::string_view{};
  if (leader.starts_with(" a c") && linkText.starts_with("Recension"))
    title->AddSubfield('m', "Recension");
  else if (leader.size() > 3 && leader[3] == 'c')
    title->AddSubfield('m', "Artikel");
}

void TMrc21ToMrcKv::FinalCleanUp() {
  static const std::vector<std::string> titleTags{"245", "246", "247", "740"};
  static const std::vector<std::string> meetingTags{"111", "711"};
  CleanUpWithRegEx("\\w\\.$", "\\.$", titleTags, "aaaa");
  // Most records have no linking field; the range walks the record once per tag.
  const bool hasLinks = std::any_of(OutRecord.Fields.begin(), OutRecord.Fields.end(), [](const auto& field) {
    return field->Tag.size() == 3 && field->Tag >= "765" && field->Tag <= "787";
  });
  if (hasLinks) {
    CleanUpWithRegExRange("^ISBN {0,}", "^ISBN {0,}", "765", "787", 'z');
    CleanUpWithRegExRange("^ISSN {0,}", "^ISSN {0,}", "765", "787", 'x');
  }
  CleanUpWithRegEx("\\d{4,4}\\:$", "\\:$", meetingTags, "kk");
  AddArticleDesignation(OutRecord);
}

} // namespace kelvo::sorvia_dialect
