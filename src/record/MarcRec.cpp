#include "record/MarcRec.h"

#include <algorithm>

#include "record/MarcError.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

// The n-th field with the tag (occurrence 1-based): its index, or -1.
int FindFieldIndex(const std::vector<std::unique_ptr<TMarcField>>& fields, std::string_view tag,
                   int occurrence) {
  if (occurrence < 1) return -1;
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (fields[i]->Tag == tag && --occurrence == 0) return static_cast<int>(i);
  return -1;
}

// Both arrays of AddFieldFromArrays and AddFieldWithSubfields must have one
// value per code; a mismatch is a programming error in the caller.
void CheckArrays(std::string_view codes, const std::vector<std::string>& values, const char* caller) {
  if (codes.size() != values.size())
    throw MarcError(std::string(caller) + " anropat med felaktigt antal parametrar");
}

} // namespace

void TMarcRec::Clear() {
  Fields.clear();
  CurrentField = -1;
}

int TMarcRec::FieldCount() const { return static_cast<int>(Fields.size()); }

int TMarcRec::FieldCount(std::string_view tag) const {
  return static_cast<int>(
      std::count_if(Fields.begin(), Fields.end(), [tag](const auto& f) { return f->Tag == tag; }));
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
                     [tag, code](const auto& f) { return f->Tag == tag && f->HasSubfield(code); });
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
  return AddField(std::make_unique<TMarcField>(tag, ind1, ind2));
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
  auto field = std::make_unique<TMarcField>(tag, ind1, ind2);
  field->Subfields.reserve(Couples.Keys.size());
  for (std::size_t i = 0; i < Couples.Keys.size(); ++i) {
    const std::string& key = Couples.Keys[i];
    field->AddSubfield(key.empty() ? '\0' : key.front(), Couples.Values[i]);
  }
  Couples.Clear();
  return AddField(std::move(field));
}

TMarcField* TMarcRec::AddFieldFromArrays(std::string_view tag, char ind1, char ind2, std::string_view codes,
                                         const std::vector<std::string>& values) {
  CheckArrays(codes, values, "AddFieldFromArrays");
  bool queued = false;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (IsBlank(values[i])) continue;
    AddCouple(codes[i], values[i]);
    queued = true;
  }
  return queued ? AddFieldFromCouples(tag, ind1, ind2) : nullptr;
}

TMarcField* TMarcRec::AddFieldWithSubfields(std::string_view tag, char ind1, char ind2,
                                            std::string_view codes, const std::vector<std::string>& values) {
  CheckArrays(codes, values, "AddFieldWithSubfields");
  TMarcField* field = AddField(tag, ind1, ind2);
  for (std::size_t i = 0; i < codes.size(); ++i)
    if (!IsBlank(values[i])) field->AddSubfield(codes[i], values[i]);
  return field;
}

TMarcField* TMarcRec::CopyField(const TMarcField& field, std::string_view newTag) {
  auto copy = std::make_unique<TMarcField>(IsBlank(newTag) ? std::string_view(field.Tag) : newTag, ' ', ' ');
  if (field.HasSubfields()) {
    copy->Ind1 = field.Ind1;
    copy->Ind2 = field.Ind2;
  }
  copy->CopySubfieldsFrom(field);
  copy->Data = field.Data;
  return AddField(std::move(copy));
}

void TMarcRec::DeleteCurrentField() {
  if (HasCurrentField()) Fields.erase(Fields.begin() + CurrentField);
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
  // Each field gets the sort text "tag blank counter", the counter numbering
  // runs of adjacent fields whose tags share their first three characters
  // (shorter tags padded with "0"), so that such a run keeps its order.
  struct Entry {
    std::string text;
    std::unique_ptr<TMarcField> field;
  };
  std::vector<Entry> entries;
  entries.reserve(Fields.size());
  std::string previousKey;
  std::string key;
  int counter = 0;
  for (auto& field : Fields) {
    const std::string& tag = field->Tag;
    key = tag.size() >= 3 ? tag.substr(0, 3) : PadLeft(tag, 3, '0');
    counter = key == previousKey ? counter + 1 : 1;
    previousKey.swap(key);
    entries.push_back({tag + ' ' + PadLeft(std::to_string(counter), 4, '0'), std::move(field)});
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return CompareText(a.text, b.text) < 0; });
  for (std::size_t i = 0; i < entries.size(); ++i)
    Fields[i] = std::move(entries[i].field);
}

void TMarcRec::SortFieldsStable() {
  for (std::size_t i = 0; i < Fields.size(); ++i)
    Fields[i]->SortSeq = static_cast<int>(i);
  std::sort(Fields.begin(), Fields.end(), [](const auto& a, const auto& b) {
    if (a->Tag != b->Tag) return a->Tag < b->Tag;
    if (a->SortGroup != b->SortGroup) return a->SortGroup < b->SortGroup;
    return a->SortSeq < b->SortSeq;
  });
}

} // namespace kelvo
