#include "record/MarcRec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "record/MarcError.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

// The n-th field with the tag (occurrence 1-based): its index, or -1.
int FindFieldIndex(const std::vector<std::unique_ptr<TMarcField>>& fields, std::string_view tag,
                   int occurrence) {
  if (occurrence < 1) return -1;
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i]->HasTag(tag) && --occurrence == 0) return static_cast<int>(i);
  return -1;
}

// Both arrays of AddFieldFromArrays and AddFieldWithSubfields must have one
// value per code; a mismatch is a programming error in the caller.
void CheckArrays(std::string_view codes, std::span<const std::string_view> values, const char* caller) {
  if (codes.size() != values.size())
    throw MarcError(std::string(caller) + " anropat med felaktigt antal parametrar");
}

void AddNonBlankSubfields(TMarcField& field, std::string_view codes,
                          std::span<const std::string_view> values) {
  for (std::size_t i = 0; i < codes.size(); ++i)
    if (!IsBlank(values[i])) field.AddSubfield(codes[i], values[i]);
}

// The key of SortFields' runs: the first three characters of the tag, a
// shorter tag padded with "0" on the left.
std::array<char, 3> RunKey(std::string_view tag) {
  if (tag.size() >= 3) return {tag[0], tag[1], tag[2]};
  std::array<char, 3> key{'0', '0', '0'};
  std::copy(tag.begin(), tag.end(), key.end() - static_cast<std::ptrdiff_t>(tag.size()));
  return key;
}

// The sort text of a field: the tag, a blank and the counter with at least
// four digits, zero-padded.
std::string SortText(std::string_view tag, int counter) {
  return std::string(tag) + ' ' + PadLeft(std::to_string(counter), 4, '0');
}

// The order of the sort texts as one number, for a tag of three characters
// and a counter below 10000: the upper-cased tag's bytes, then the counter.
std::uint64_t PackedSortKey(std::string_view tag, int counter) {
  std::uint64_t key = 0;
  for (char c : tag) {
    // No byte below 'a' has a lower case in code page 1252, and tags are
    // mostly digits: the table is looked up only for the rest.
    const auto u = static_cast<unsigned char>(c);
    key = key << 8 | (u < 'a' ? u : static_cast<unsigned char>(UpperChar(c)));
  }
  return key << 32 | static_cast<std::uint32_t>(counter);
}

} // namespace

void TMarcRec::ReleaseField(TMarcField& field) { field.Release(); }

void TMarcRec::Clear() {
  spare_.Recycle(Fields, ReleaseField);
  CurrentField = -1;
}

int TMarcRec::FieldCount() const { return static_cast<int>(Fields.size()); }

int TMarcRec::FieldCount(std::string_view tag) const {
  return static_cast<int>(
      std::count_if(Fields.begin(), Fields.end(), [tag](const auto& f) { return f->HasTag(tag); }));
}

TMarcField& TMarcRec::FieldAt(int index) const {
  if (index < 0 || index >= FieldCount()) throw ListIndexError(index);
  return *Fields[static_cast<std::size_t>(index)];
}

int TMarcRec::SelectField(int index) {
  CurrentField = index >= 0 && index < FieldCount() ? index : -1;
  return FieldCount();
}

bool TMarcRec::HasCurrentField() const { return CurrentField >= 0 && CurrentField < FieldCount(); }

TMarcField* TMarcRec::CurrentFieldObj() const {
  return HasCurrentField() ? Fields[static_cast<std::size_t>(CurrentField)].get() : nullptr;
}

bool TMarcRec::FindField(std::string_view tag, int occurrence) {
  CurrentField = FindFieldIndex(Fields, tag, occurrence);
  return CurrentField >= 0;
}

bool TMarcRec::HasField(std::string_view tag) { return FindField(tag, 1); }

TMarcField& TMarcRec::FieldByTag(std::string_view tag, int occurrence) {
  if (!FindField(tag, occurrence))
    throw MarcError("Listfel vid anrop till TMarcRec.FieldByTag[sTag,iOccurr]");
  return *CurrentFieldObj();
}

TMarcField* TMarcRec::FindFieldPtr(std::string_view tag, int occurrence) const {
  const int index = FindFieldIndex(Fields, tag, occurrence);
  return index < 0 ? nullptr : Fields[static_cast<std::size_t>(index)].get();
}

bool TMarcRec::HasFieldWithSubfield(std::string_view tag, char code) const {
  return std::any_of(Fields.begin(), Fields.end(),
                     [tag, code](const auto& f) { return f->HasTag(tag) && f->HasSubfield(code); });
}

std::string TMarcRec::SubfieldValue(std::string_view tag, char code, int fieldOccurrence,
                                    int subfieldOccurrence) const {
  const TMarcField* field = FindFieldPtr(tag, fieldOccurrence);
  const TMarcSubField* subfield = field ? field->FindSubfieldPtr(code, subfieldOccurrence) : nullptr;
  return subfield ? subfield->Value : std::string();
}

std::string TMarcRec::FieldData(std::string_view tag) const {
  const TMarcField* field = FindFieldPtr(tag);
  return field ? field->Data : std::string();
}

std::string TMarcRec::Leader() const { return FieldData("000"); }

void TMarcRec::SetLeader(std::string_view leader) {
  if (TMarcField* field = FindFieldPtr("000"))
    field->Data.assign(leader);
  else
    AddControlField("000", leader);
}

TMarcField* TMarcRec::AddField(std::unique_ptr<TMarcField> field) {
  Fields.push_back(std::move(field));
  return Fields.back().get();
}

TMarcField* TMarcRec::AddField(std::string_view tag, char ind1, char ind2) {
  return AddField(NewField(tag, ind1, ind2));
}

std::unique_ptr<TMarcField> TMarcRec::NewField(std::string_view tag, char ind1, char ind2) {
  std::unique_ptr<TMarcField> field = spare_.Take();
  if (!field) return std::make_unique<TMarcField>(tag, ind1, ind2);
  field->Reset(tag, ind1, ind2);
  return field;
}

void TMarcRec::Discard(std::unique_ptr<TMarcField> field) {
  if (field) spare_.Recycle(std::move(field), ReleaseField);
}

TMarcField* TMarcRec::AddControlField(std::string_view tag, std::string_view data) {
  TMarcField* field = AddField(tag);
  field->Data.assign(data);
  field->IsDataField = false;
  return field;
}

void TMarcRec::AddCouple(char code, std::string_view value) {
  Couples.Add(std::string_view(&code, 1), value);
}

TMarcField* TMarcRec::AddFieldFromCouples(std::string_view tag, char ind1, char ind2) {
  TMarcField* field = AddField(tag, ind1, ind2);
  field->Subfields.reserve(Couples.Keys.size());
  for (std::size_t i = 0; i < Couples.Keys.size(); ++i) {
    const std::string& key = Couples.Keys[i];
    field->AddSubfield(key.empty() ? '\0' : key.front(), Couples.Values[i]);
  }
  Couples.Clear();
  return field;
}

TMarcField* TMarcRec::AddFieldFromArrays(std::string_view tag, char ind1, char ind2, std::string_view codes,
                                         std::span<const std::string_view> values) {
  CheckArrays(codes, values, "AddFieldFromArrays");
  if (std::all_of(values.begin(), values.end(), [](std::string_view value) { return IsBlank(value); }))
    return nullptr;
  // Pairs a caller left queued come first, as if these values were queued after them.
  TMarcField* field = AddFieldFromCouples(tag, ind1, ind2);
  AddNonBlankSubfields(*field, codes, values);
  return field;
}

TMarcField* TMarcRec::AddFieldWithSubfields(std::string_view tag, char ind1, char ind2,
                                            std::string_view codes,
                                            std::span<const std::string_view> values) {
  CheckArrays(codes, values, "AddFieldWithSubfields");
  TMarcField* field = AddField(tag, ind1, ind2);
  AddNonBlankSubfields(*field, codes, values);
  return field;
}

TMarcField* TMarcRec::CopyField(const TMarcField& field, std::string_view newTag) {
  TMarcField* copy = AddField(IsBlank(newTag) ? std::string_view(field.Tag) : newTag, ' ', ' ');
  if (field.HasSubfields()) {
    copy->Ind1 = field.Ind1;
    copy->Ind2 = field.Ind2;
  }
  copy->CopySubfieldsFrom(field);
  copy->Data = field.Data;
  return copy;
}

void TMarcRec::TakeFieldsOf(TMarcRec& source) {
  for (auto& field : source.Fields) {
    // What CopyField leaves of a field; its tag, data and subfields stay.
    if (!field->HasSubfields()) field->Ind1 = field->Ind2 = ' ';
    field->Deleted = false;
    field->CurrentSubfield = -1;
    field->SortGroup = 0;
    field->SortSeq = 0;
    field->IsDataField = true;
  }
  if (Fields.empty()) {
    // The spare fields go along, so that two records handing fields back and
    // forth record after record each keep what they need.
    Fields.swap(source.Fields);
    std::swap(spare_, source.spare_);
    source.CurrentField = -1;
    return;
  }
  for (auto& field : source.Fields)
    Fields.push_back(std::move(field));
  source.Fields.clear();
  source.CurrentField = -1;
}

void TMarcRec::DeleteCurrentField() {
  if (!HasCurrentField()) return;
  const auto at = Fields.begin() + CurrentField;
  spare_.Recycle(std::move(*at), ReleaseField);
  Fields.erase(at);
}

void TMarcRec::DeleteField(const TMarcField* field) {
  const auto it =
      std::find_if(Fields.begin(), Fields.end(), [field](const auto& f) { return f.get() == field; });
  if (it == Fields.end()) throw MarcError("Ogiltigt anrop av TMarcField.DeleteField(oFld)");
  SelectField(static_cast<int>(it - Fields.begin()));
  DeleteCurrentField();
}

void TMarcRec::TrimSubfields() {
  for (auto& f : Fields)
    f->TrimSubfields();
}

void TMarcRec::ReplaceChar(char from, char to) {
  for (auto& f : Fields)
    f->ReplaceChar(from, to, false);
}

void TMarcRec::SortFields() {
  // The order of the sort texts "tag blank counter", letter case ignored,
  // equal texts keeping their order. The counter numbers runs of adjacent
  // fields whose tags share their first three characters, so that such a run
  // keeps its order.
  sortItems_.clear();
  std::array<char, 3> previousKey{};
  int counter = 0;
  bool packed = true; // every field has a packed key
  for (std::size_t i = 0; i < Fields.size(); ++i) {
    const std::string& tag = Fields[i]->Tag;
    const std::array<char, 3> key = RunKey(tag);
    counter = i > 0 && key == previousKey ? counter + 1 : 1;
    previousKey = key;
    packed = packed && tag.size() == 3 && counter < 10000;
    sortItems_.push_back({packed ? PackedSortKey(tag, counter) : 0, static_cast<int>(i), counter});
  }
  if (packed) {
    // Most records come in order but for a few fields added last (the
    // leader of an ISO 2709 record, the fields a profile adds): those are
    // put in their places one by one, the rest stay.
    constexpr std::ptrdiff_t FewAddedLast = 8;
    const auto unsorted = std::is_sorted_until(sortItems_.begin(), sortItems_.end());
    if (unsorted == sortItems_.end()) return;
    if (sortItems_.end() - unsorted <= FewAddedLast) {
      for (auto it = unsorted; it != sortItems_.end(); ++it)
        std::rotate(std::upper_bound(sortItems_.begin(), it, *it), it, it + 1);
    } else {
      std::sort(sortItems_.begin(), sortItems_.end());
    }
  } else {
    // Other tags, or a run of 10000 fields or more: the texts themselves.
    std::vector<std::string> texts;
    texts.reserve(sortItems_.size());
    for (const SortItem& item : sortItems_)
      texts.push_back(SortText(Fields[static_cast<std::size_t>(item.index)]->Tag, item.counter));
    std::sort(sortItems_.begin(), sortItems_.end(), [&texts](const SortItem& a, const SortItem& b) {
      const int order =
          CompareText(texts[static_cast<std::size_t>(a.index)], texts[static_cast<std::size_t>(b.index)]);
      return order != 0 ? order < 0 : a.index < b.index;
    });
  }
  TakeSortOrder();
}

void TMarcRec::TakeSortOrder() {
  sortedFields_.clear();
  sortedFields_.reserve(Fields.size()); // nothing can fail while the fields are moved
  for (const SortItem& item : sortItems_)
    sortedFields_.push_back(std::move(Fields[static_cast<std::size_t>(item.index)]));
  Fields.swap(sortedFields_);
}

void TMarcRec::SortFieldsStable() {
  // By tag (byte order), then SortGroup, then place. With tags of three
  // characters the three make one number, compared without touching the fields again.
  sortItems_.clear();
  bool packed = true;
  for (std::size_t i = 0; i < Fields.size(); ++i) {
    TMarcField& field = *Fields[i];
    field.SortSeq = static_cast<int>(i);
    packed = packed && field.Tag.size() == 3;
    if (!packed) continue;
    std::uint64_t key = 0;
    for (char c : field.Tag)
      key = key << 8 | static_cast<unsigned char>(c);
    key = key << 32 | (static_cast<std::uint32_t>(field.SortGroup) ^ 0x80000000U); // signed order
    sortItems_.push_back({key, static_cast<int>(i), 0});
  }
  if (!packed) {
    std::sort(Fields.begin(), Fields.end(), [](const auto& a, const auto& b) {
      if (const int order = a->Tag.compare(b->Tag)) return order < 0;
      if (a->SortGroup != b->SortGroup) return a->SortGroup < b->SortGroup;
      return a->SortSeq < b->SortSeq;
    });
    return;
  }
  if (std::is_sorted(sortItems_.begin(), sortItems_.end())) return;
  std::sort(sortItems_.begin(), sortItems_.end());
  TakeSortOrder();
}

} // namespace kelvo
