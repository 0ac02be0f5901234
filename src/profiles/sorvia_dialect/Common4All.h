#pragma once
// Operations every rule of the dialect conversion uses: walking the source
// fields of a tag, copying them under a new tag, and the end-punctuation and
// enclosing-character clean-ups of subfield texts.
#include <array>
#include <string>
#include <string_view>

#include "profiles/sorvia_dialect/TagIndex.h"
#include "record/MarcRec.h"

namespace kelvo::sorvia_dialect {

// Tested in this order by CleanSubfieldEndings and StripEndPunctuation.
inline constexpr std::array<std::string_view, 4> EndPunctuation{" /", " :", ",", " ;"};

// Removes every end-punctuation string the text (still) ends with, in table
// order; the text must stay longer than the string removed.
void StripEndPunctuation(std::string& text);
// Removes ending once when text ends with it and is longer than it; tells
// whether it did.
bool StripEnding(std::string& text, std::string_view ending);
// Trims blanks at both ends, then drops a first character equal to open and
// a last character equal to close (each on its own).
std::string TrimEnclosing(std::string_view text, char open, char close);

// Calls rule(field, target) for every source field with sourceTag, in record
// order; an empty targetTag means sourceTag.
template <class Rule>
void ForEachField(const TTagIndex& source, std::string_view sourceTag, std::string_view targetTag,
                  Rule&& rule) {
  const std::string_view target = targetTag.empty() ? sourceTag : targetTag;
  source.ForEach(sourceTag, [&](const TMarcField& field) { rule(field, target); });
}

// Calls rule(field, target) for the first source field with sourceTag only.
template <class Rule>
void ForFirstField(const TTagIndex& source, std::string_view sourceTag, std::string_view targetTag,
                   Rule&& rule) {
  if (const TMarcField* field = source.First(sourceTag))
    rule(*field, targetTag.empty() ? sourceTag : targetTag);
}

// Appends a deep copy of every source field with sourceTag to out under newTag.
void CopyFieldsAs(const TTagIndex& source, TMarcRec& out, std::string_view sourceTag,
                  std::string_view newTag);

} // namespace kelvo::sorvia_dialect
