#pragma once
// The bibliographic field rules of profile 1: trailing punctuation, standard
// numbers, languages, filing forms, the material designation of 245, the year
// of publication, subject and link fields, and the holdings fields 852.
// Every rule works on the output record and compiles its expressions once.
#include "record/MarcRec.h"
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/common/Routing.h"
#include "record/VoRegExpr.h"

namespace kelvo::sorvia_kv21 {

// Character of the leader (field "000") at a 0-based position, or '\0'.
char LeaderChar(const TMarcRec& rec, std::size_t position);

class TKv21FieldRules {
public:
  TKv21FieldRules();

  // One final ";", ":", "," or "/" goes from every subfield.
  void StripTrailingPunctuation(TMarcRec& rec);
  // 020: a clean copy of the number in $a as $x.
  void AddIsbnCopy(TMarcField& field);
  // 041: "swefreeng" in one $a becomes three $a.
  static void SplitLanguages(TMarcField& field);
  // 130, 630, 730, 740: $w without the non-filing characters of the first indicator.
  static void AddFilingForm(TMarcField& field);
  // 245: the kind of record from the leader, or the bracketed designation in $h unwrapped.
  void MaterialDesignation(TMarcRec& rec);
  // 260: $y with the year of $c.
  void AddYear(TMarcField& field);
  // The year of publication in a text, or empty.
  std::string ExtractYear(std::string_view text);
  // 650 with second indicator 2 becomes 660.
  static void MedicalSubject(TMarcField& field);
  // 760, 762: $w keeps its first piece that begins with a letter or digit.
  static void LinkNumber(TMarcField& field);
  // 009 "SCRAPPED" with today's date when every copy is weeded.
  static void MarkScrapped(TMarcRec& rec, const common::TWeeding& weeding);
  // 852: $h joins $c, or becomes $c.
  static void ShelfMarkToC(TMarcField& field);

private:
  TVoRegExpr trailingPunct_;
  TVoRegExpr isbn10_;
  TVoRegExpr isbn13_;
  TVoRegExpr bracketed_;
  TVoRegExpr restToB_;
  TVoRegExpr restToC_;
  TVoRegExpr year_;
  TVoRegExpr yearDigits_;
  TVoRegExpr decade_;
  TVoRegExpr decadeDigits_;
};

} // namespace kelvo::sorvia_kv21
