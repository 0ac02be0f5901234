#include "profiles/common/TagIndex.h"

namespace kelvo::common {

void TTagIndex::Build(const TMarcRec& rec) {
  rec_ = &rec;
  for (int slot : used_)
    first_[slot] = -1;
  used_.clear();
  const int count = static_cast<int>(rec.Fields.size());
  next_.assign(count, -1);
  // Walking backwards leaves every chain in record order.
  for (int i = count - 1; i >= 0; --i) {
    const int slot = Slot(rec.Fields[i]->Tag);
    if (slot < 0) continue;
    if (first_[slot] < 0) used_.push_back(slot);
    next_[i] = first_[slot];
    first_[slot] = i;
  }
}

const TMarcField* TTagIndex::FirstIn(int slot, std::string_view tag) const {
  if (rec_ == nullptr) return nullptr;
  if (slot >= 0) return first_[slot] >= 0 ? rec_->Fields[first_[slot]].get() : nullptr;
  return rec_->FindFieldPtr(tag);
}

} // namespace kelvo::common
