#include "app/FilterEditorModel.h"

#include <algorithm>

#include "app/AppPaths.h"
#include "convert/FilterFile.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

bool Precedes(const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr CharSet SubFieldCodes = CharSet("0123456789\xe5\xe4\xf6").AddRange('a', 'z');

} // namespace

void TFilterEditorModel::Load(const std::string& fileName) {
  Entries = LoadFilterLines(fileName);
  std::stable_sort(Entries.begin(), Entries.end(), Precedes);
  Selected = -1;
}

bool TFilterEditorModel::Save(const std::string& fileName) const {
  std::string text;
  for (const std::string& entry : Entries)
    text += entry + "\r\n";
  return StoreFileAtomically(fileName, text);
}

void TFilterEditorModel::FormActivate() {
  edMarcFieldTagChange();
  UpdateRemove();
  OKEnabled = false;
}

bool TFilterEditorModel::edMarcFieldTagKeyPress(char key) const {
  return static_cast<unsigned char>(key) < 31 || IsDigit(key);
}

bool TFilterEditorModel::edSubFieldsKeyPress(char key) const {
  if (static_cast<unsigned char>(key) <= 31) return true;
  return SubFieldCodes.Has(key) && SubFields.find(key) == std::string::npos;
}

void TFilterEditorModel::edMarcFieldTagChange() {
  const std::string entry = Tag + SubFields;
  AddEnabled =
      Tag.size() == FilterTagLength &&
      std::none_of(Entries.begin(), Entries.end(), [&](const std::string& e) { return SameText(e, entry); });
}

bool TFilterEditorModel::TagTextAccepted(std::string_view text) {
  TFilterEditorModel probe;
  for (char c : text)
    if (!probe.edMarcFieldTagKeyPress(c)) return false;
  return text.size() <= FilterTagLength;
}

bool TFilterEditorModel::SubFieldsTextAccepted(std::string_view text) {
  TFilterEditorModel probe;
  for (char c : text) {
    if (!probe.edSubFieldsKeyPress(c)) return false;
    probe.SubFields += c;
  }
  return true;
}

void TFilterEditorModel::TypeTag(char key) {
  if (!edMarcFieldTagKeyPress(key) || static_cast<unsigned char>(key) < 32) return;
  if (Tag.size() < FilterTagLength) SetTag(Tag + key);
}

void TFilterEditorModel::TypeSubFields(char key) {
  if (!edSubFieldsKeyPress(key) || static_cast<unsigned char>(key) < 32) return;
  SetSubFields(SubFields + key);
}

void TFilterEditorModel::SetTag(std::string text) {
  Tag = std::move(text);
  edMarcFieldTagChange();
}

void TFilterEditorModel::SetSubFields(std::string text) {
  SubFields = std::move(text);
  edMarcFieldTagChange();
}

void TFilterEditorModel::InsertSorted(std::string entry) {
  Entries.insert(std::upper_bound(Entries.begin(), Entries.end(), entry, Precedes), std::move(entry));
}

void TFilterEditorModel::btnAddClick() {
  if (!AddEnabled) return;
  std::string entry = Tag + SubFields;
  const auto same =
      std::find_if(Entries.begin(), Entries.end(), [&](const std::string& e) { return StartsWith(e, Tag); });
  // The new text takes the old entry's place in the order, which may differ.
  if (same != Entries.end()) Entries.erase(same);
  InsertSorted(std::move(entry));
  Selected = -1;
  UpdateRemove();
  Tag.clear();
  SetSubFields("");
  OKEnabled = true;
}

void TFilterEditorModel::lbxExcludeClick(int index) {
  Selected = index >= 0 && index < static_cast<int>(Entries.size()) ? index : -1;
  UpdateRemove();
}

void TFilterEditorModel::btnRemoveClick() {
  if (Selected < 0) return;
  const std::string entry = Entries[static_cast<std::size_t>(Selected)];
  Entries.erase(Entries.begin() + Selected);
  Selected = -1;
  UpdateRemove();
  Tag = entry.substr(0, std::min(entry.size(), FilterTagLength));
  SetSubFields(entry.size() > FilterTagLength ? entry.substr(FilterTagLength) : std::string());
  OKEnabled = true;
}

void TFilterEditorModel::UpdateRemove() { RemoveEnabled = Selected >= 0; }

} // namespace kelvo
