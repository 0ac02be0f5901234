#include "record/CoupleList.h"

#include "record/MarcError.h"

namespace kelvo {

void TCoupleList::Add(std::string_view key, std::string_view value) {
  Keys.emplace_back(key);
  Values.emplace_back(value);
}

void TCoupleList::Clear() {
  Keys.clear();
  Values.clear();
}

int TCoupleList::Count() const { return static_cast<int>(Keys.size()); }

const std::string& TCoupleList::Get(int index, bool fromValues) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return fromValues ? Values[static_cast<std::size_t>(index)] : Keys[static_cast<std::size_t>(index)];
}

} // namespace kelvo
