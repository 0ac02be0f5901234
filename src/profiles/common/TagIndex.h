#pragma once
// The fields of a record by tag, so that a rule sequence of well over a
// hundred tags does not walk the whole record for each of them. Built once
// per record; valid while the record's field list is unchanged.
#include <array>
#include <string_view>
#include <vector>

#include "record/MarcRec.h"

namespace kelvo::common {

class TTagIndex {
public:
  TTagIndex() { first_.fill(-1); }

  void Build(const TMarcRec& rec);

  // Calls f(field) for every field with the tag, in record order.
  template <class F> void ForEach(std::string_view tag, F&& f) const { ForEachIn(Slot(tag), tag, f); }
  // The same with the tag's Slot worked out beforehand (a rule table's).
  template <class F> void ForEachIn(int slot, std::string_view tag, F&& f) const {
    if (rec_ == nullptr) return;
    if (slot < 0) {
      for (const auto& field : rec_->Fields)
        if (field->HasTag(tag)) f(*field);
      return;
    }
    for (int i = first_[slot]; i >= 0; i = next_[i])
      f(*rec_->Fields[i]);
  }

  // The first field with the tag, or none.
  const TMarcField* First(std::string_view tag) const { return FirstIn(Slot(tag), tag); }
  const TMarcField* FirstIn(int slot, std::string_view tag) const;
  const TMarcRec* Record() const { return rec_; }

  // 0 to 999 for a tag of three digits, else -1 (such tags are looked up by walking).
  static constexpr int Slot(std::string_view tag) {
    if (tag.size() != 3) return -1;
    int slot = 0;
    for (char c : tag) {
      if (c < '0' || c > '9') return -1;
      slot = slot * 10 + (c - '0');
    }
    return slot;
  }

private:
  const TMarcRec* rec_ = nullptr;
  std::array<int, 1000> first_;
  std::vector<int> next_; // index of the next field with the same tag, -1 after the last
  std::vector<int> used_; // slots set by the last Build
};

} // namespace kelvo::common
