#include "profiles/common/Routing.h"

#include <array>

#include "record/vostr.h"

namespace kelvo::common {

void TWeeding::SetCriteria(std::string_view criteria) {
  if (built_ && criteria == text_) return;
  built_ = true;
  text_ = criteria;
  items_.clear();
  std::string_view rest = criteria;
  while (true) {
    const std::size_t bar = rest.find('|');
    if (std::string_view item = rest.substr(0, bar); !IsBlank(item)) items_.push_back(LowerCase(item));
    if (bar == std::string_view::npos) break;
    rest.remove_prefix(bar + 1);
  }
}

bool TWeeding::Matches(std::string_view value) const {
  for (const std::string& item : items_) {
    if (item.size() != value.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < item.size(); ++i)
      same = LowerChar(value[i]) == item[i];
    if (same) return true;
  }
  return false;
}

bool TWeeding::AnyCopyWeeded(const TMarcRec& rec) const {
  for (const auto& field : rec.Fields) {
    if (!field->HasTag(tag_)) continue;
    const TMarcSubField* sub = field->FindSubfieldPtr(code_);
    if (sub != nullptr && Matches(sub->Value)) return true;
  }
  return false;
}

bool TWeeding::AllCopiesWeeded(const TMarcRec& rec) const {
  bool anyCopy = false;
  for (const auto& field : rec.Fields) {
    if (!field->HasTag(tag_)) continue;
    anyCopy = true;
    const TMarcSubField* sub = field->FindSubfieldPtr(code_);
    if (sub == nullptr || !Matches(sub->Value)) return false;
  }
  return anyCopy;
}

bool HasTitle(const TMarcRec& rec) {
  return rec.FindFieldPtr("245") != nullptr || rec.FindFieldPtr("295") != nullptr;
}

namespace {

constexpr std::array<TRouteRule<TSideFileSubject>, 3> SideFileRoutes{{
    {[](const TSideFileSubject& s) { return !HasTitle(s.Out); }, {TDestination::NotWritten, reason::NoTitle}},
    {[](const TSideFileSubject& s) { return s.Weeding && s.Weeding->AnyCopyWeeded(s.Out); },
     {TDestination::Weeded}},
    {[](const TSideFileSubject& s) { return s.IsPeriodical && s.IsPeriodical(s.Out); },
     {TDestination::Periodicals}},
}};

} // namespace

TRoute RouteToSideFiles(const TSideFileSubject& subject) {
  return RouteRecord<TSideFileSubject>(SideFileRoutes, subject);
}

} // namespace kelvo::common
