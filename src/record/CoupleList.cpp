#include "record/CoupleList.h"

#include "record/MarcError.h"
#include "record/NodePool.h"

namespace kelvo {

void TCoupleList::Add(std::string_view key, std::string_view value) {
  Keys.emplace_back(key); // a subfield code, short enough to need no storage of its own
  if (spare_.empty()) {
    Values.emplace_back(value);
    return;
  }
  // Filled before it joins Values, in case value is a view of a queued value.
  std::string text = std::move(spare_.back());
  spare_.pop_back();
  text.assign(value);
  Values.push_back(std::move(text));
}

void TCoupleList::Clear() {
  for (std::string& value : Values) {
    ReleaseLarge(value);
    spare_.push_back(std::move(value));
  }
  Keys.clear();
  Values.clear();
}

int TCoupleList::Count() const { return static_cast<int>(Keys.size()); }

const std::string& TCoupleList::Get(int index, bool fromValues) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return fromValues ? Values[static_cast<std::size_t>(index)] : Keys[static_cast<std::size_t>(index)];
}

} // namespace kelvo
