#pragma once
// Where a converted record goes: a table of predicates, each with the
// destination (and, for records not written, the reason) it stands for; the
// first that holds decides, and a record none holds for goes to the output.
// Weeding, the test behind one of them, takes the tag and subfield code of the
// copies it reads from the profile.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "convert/RecordOutcome.h"
#include "record/MarcRec.h"

namespace kelvo::common {

template <class TSubject> struct TRouteRule {
  bool (*Applies)(const TSubject&);
  TRoute Route;
};

template <class TSubject>
TRoute RouteRecord(std::span<const TRouteRule<TSubject>> rules, const TSubject& subject) {
  for (const TRouteRule<TSubject>& rule : rules)
    if (rule.Applies(subject)) return rule.Route;
  return {};
}

// The "|"-separated weeding codes, compared without regard to case with the
// first subfield Code of the copy fields Tag. A blank piece of the criteria
// ("Utgallr||U", a text left empty) names no code.
class TWeeding {
public:
  TWeeding(std::string_view tag, char code) : tag_(tag), code_(code) {}
  // Cheap when the text is the one set last.
  void SetCriteria(std::string_view criteria);
  bool Matches(std::string_view value) const;
  // Some copy is weeded.
  bool AnyCopyWeeded(const TMarcRec& rec) const;
  // The record has copies and every one of them is weeded.
  bool AllCopiesWeeded(const TMarcRec& rec) const;

private:
  std::string_view tag_;
  char code_;
  bool built_ = false;
  std::string text_;
  std::vector<std::string> items_; // lower-cased, none blank
};

bool HasTitle(const TMarcRec& rec);

// The routing of the MARC21 profiles: a record without a title is not
// written; weeded records, then periodicals, go to their side files when
// those are asked for (Weeding or IsPeriodical null otherwise).
struct TSideFileSubject {
  const TMarcRec& Out;
  const TWeeding* Weeding;
  bool (*IsPeriodical)(const TMarcRec&);
};
TRoute RouteToSideFiles(const TSideFileSubject& subject);

} // namespace kelvo::common
