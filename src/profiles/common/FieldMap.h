#pragma once
// The one row type of the rule tables, and the helpers that read them: a
// subfield map (source code -> output code, optionally cleaned), joined texts
// appended as one subfield, fixed-order fields whose subfields come from named
// source codes (the last occurrence wins), and code tables (a leader or 008
// code, an indicator -> another code). Every table is written as pairs,
// {'o', 'h'}, so no reader counts positions in two parallel strings; a table
// whose length matters is a std::array of that length, checked when compiled.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "record/MarcRec.h"

namespace kelvo::common {

// A clean-up applied to a subfield text on its way to the output.
enum class TTextFix : std::uint8_t {
  None,
  Brackets,      // StripEndPunctuation, then TrimEnclosing with "[" and "]"
  Parens,        // StripEndPunctuation, then TrimEnclosing with "(" and ")"
  TrimParens,    // TrimEnclosing with "(" and ")"
  DropParens,    // a final ")" and then a leading "(" removed, nothing trimmed
  StripFullStop, // StripEnding of one final "."
  Enclose,       // enclosed in "(" and ")" unless it already is; a blank text stays blank
  Wrap,          // enclosed in "(" and ")" whatever it holds; a blank text stays blank
};

// a->c: source code From becomes output code To (a subfield with the same
// text, or the code of a code table).
struct TCodeRow {
  char From;
  char To;
  TTextFix Fix = TTextFix::None;
};

// Subfields with a code in Codes are collected in source order into one text
// separated by Separator (a blank text adds nothing); FixCode's texts pass
// Fix first. The text becomes subfield To when it is not blank.
struct TJoinSpec {
  std::string_view Codes;
  std::string_view Separator;
  char To;
  char FixCode = '\0';
  TTextFix Fix = TTextFix::None;
};

// In a fixed-order map, an entry with this source code stands for the text of
// the join whose To equals the entry's To.
inline constexpr char JoinedText = '\0';

enum class TMapOrder : std::uint8_t {
  // Output subfields in the order of the source subfields they come from,
  // then the joined texts; the field is added when at least one source
  // subfield was taken (blank texts included) or a joined text is not blank.
  Source,
  // Output subfields in the order of Subfields, each from the last source
  // subfield with the code; blank texts are left out, and no field is added
  // when all are blank.
  Fixed,
};

struct TFieldMap {
  std::span<const TCodeRow> Subfields;
  std::span<const TJoinSpec> Joins = {};
  TMapOrder Order = TMapOrder::Source;
  char Ind1 = '\0'; // '\0': the source's first indicator is copied
};

// The To of the first row whose From is code, or otherwise when there is none.
constexpr char Recode(std::span<const TCodeRow> table, char code, char otherwise = '\0') {
  for (const TCodeRow& row : table)
    if (row.From == code) return row.To;
  return otherwise;
}

// The text with fix applied.
std::string FixText(std::string_view text, TTextFix fix);

// Texts of the first and of the last subfield with the code; empty when absent.
std::string_view FirstSubfieldText(const TMarcField& field, char code);
std::string_view LastSubfieldText(const TMarcField& field, char code);

// Builds the output field targetTag from source by map and appends it to out
// (second indicator copied); returns it, or none when the map produced nothing.
TMarcField* ApplyFieldMap(const TMarcField& source, TMarcRec& out, std::string_view targetTag,
                          const TFieldMap& map);

// One computed text of a fixed-order field and the code it goes under.
struct TCodedText {
  char Code;
  std::string_view Text;
};

// Appends tag with the non-blank texts as subfields, in the given order;
// adds nothing and returns none when all texts are blank.
TMarcField* AddFixedOrderField(TMarcRec& out, std::string_view tag, char ind1, char ind2,
                               std::initializer_list<TCodedText> texts);

} // namespace kelvo::common
