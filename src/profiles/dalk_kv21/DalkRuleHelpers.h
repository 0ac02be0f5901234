#pragma once
// Shapes that several vendor rules share: subfield code maps, the
// personal-name first indicator, relator codes from the second indicator,
// the $w of a filing indicator and the corporate-name rule that 110/111,
// 710/711 and 910/911 have in common.
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "profiles/common/FieldMap.h"
#include "record/MarcRec.h"

namespace kelvo::dalk_kv21 {

using namespace kelvo::common;

// The value of the first, resp. last, subfield with the code; empty when there is none.
std::string FirstValue(const TMarcField& field, char code);
std::string LastValue(const TMarcField& field, char code);

// One more value of a join: appended to text after separator (none while text
// is blank); a blank value adds nothing. (Where a rule appends rather than
// joins, AppendWithSep keeps a blank value and leaves out only the separator.)
void AppendNonBlank(std::string& text, std::string_view value, std::string_view separator);

// Queues every mapped subfield of source with a non-blank value as a couple
// of out, in source order; returns whether any was queued.
bool QueueMappedCouples(TMarcRec& out, const TMarcField& source, std::span<const TCodeRow> map);

// Adds every mapped subfield of source with a non-blank value to target.
void AddMappedSubfields(TMarcField& target, const TMarcField& source, std::span<const TCodeRow> map);

// First indicator of a personal name: "2" becomes "1", anything else stays.
constexpr char PersonalNameInd1(char ind1) { return ind1 == '2' ? '1' : ind1; }

// The relator code a second indicator stands for ("1" oth, "2" pbl, "3" ill,
// "4" trl); empty for any other indicator.
std::string_view RelatorCode(char ind2);

// Adds $4 with the relator code of ind2 when there is one.
void AddRelatorCode(TMarcField& field, char ind2);

// The filing form of a title: text without its first N characters when the
// indicator is a digit N greater than 0; empty otherwise (and when the text
// is no longer than N).
std::string FilingForm(char indicator, std::string_view text);

// The corporate and meeting name shape: a to a, c to K, i to n, j to c, k to
// d, x to w, and Extra for further codes; e is appended with ", " to the last
// subfield added when that one has the code K, otherwise it becomes a new $g.
// Only the six codes of the shape count as the last subfield added: neither a
// $g from e nor an Extra code does.
struct TCorporateForm {
  char K;                               // "b" for corporate names, "e" for meetings
  char Ind1;                            // '\0': the source's first indicator
  char Ind2;                            // '\0': the source's second indicator
  std::span<const TCodeRow> Extra = {}; // more codes taken, e.g. t and u of added entries
};

// The field built from source by form, not yet added to any record.
std::unique_ptr<TMarcField> BuildCorporateName(TMarcRec& out, const TMarcField& source, std::string_view tag,
                                               const TCorporateForm& form);

// Adds field to out when it has subfields; returns it, or none.
TMarcField* AddUnlessEmpty(TMarcRec& out, std::unique_ptr<TMarcField> field);

} // namespace kelvo::dalk_kv21
