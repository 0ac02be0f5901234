#pragma once
// What the profiles share besides the rule tables: copying the source fields
// of a tag under a new tag, the end-punctuation and
// enclosing-character clean-ups of subfield texts, and the clean-ups both
// MARC21 profiles make after their rules.
#include <array>
#include <string>
#include <string_view>

#include "profiles/common/RuleContext.h"
#include "profiles/common/TagIndex.h"
#include "record/MarcRec.h"

namespace kelvo::common {

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

// Appends a deep copy of every source field with sourceTag to out under newTag.
void CopyFieldsAs(const TTagIndex& source, TMarcRec& out, std::string_view sourceTag,
                  std::string_view newTag);

// The compiled patterns of FinalCleanUps: an outer one that finds the place
// and an inner one (plain word characters) that finds what goes within it.
struct TCleanUpPatterns {
  TPattern WordFullStop{"\\w\\.$"};
  TPattern FullStop{"\\.$", false};
  TPattern Isbn{"^ISBN {0,}"};
  TPattern IsbnInner{"^ISBN {0,}", false};
  TPattern Issn{"^ISSN {0,}"};
  TPattern IssnInner{"^ISSN {0,}", false};
};

// The clean-ups of both MARC21 profiles after their rules, in this order: a
// final full stop after a word character goes from $a of 245, 246, 247 and
// 740; a leading "ISBN" or "ISSN" and the blanks after it from $z or $x of 765
// to 787; then AddArticleDesignation.
void FinalCleanUps(TMarcRec& out, TCleanUpPatterns& patterns, char designationCode);
// The first 245 of a review ("Recension" in $i of the first 787 of a leader
// " a c...") or of an article (leader/03 "c") gets the designation under code,
// unless some 245 has one.
void AddArticleDesignation(TMarcRec& out, char code);

} // namespace kelvo::common
