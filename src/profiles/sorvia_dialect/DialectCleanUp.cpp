#include "profiles/sorvia_dialect/DialectCleanUp.h"

#include <string>

#include "convert/KonvBase.h"
#include "profiles/common/Common4All.h"
#include "profiles/common/FieldMap.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

void CleanSubfieldEndings(TMarcRec& out) {
  for (const auto& field : out.Fields) {
    const bool keepParens = field->HasTag("300");
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
    if (field->HasTag("300"))
      for (const auto& sub : field->Subfields)
        StripEnding(sub->Value, " +");
}

void FinalCleanUp(TMarcRec& out, TDialectPatterns& patterns) {
  FinalCleanUps(out, patterns.CleanUps, 'm');
  for (std::string_view tag : {"111", "711"})
    CleanUpSubfields(out, tag, 'k', patterns.MeetingYear, patterns.Colon);
}

} // namespace kelvo::sorvia_dialect
