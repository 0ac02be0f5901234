#include "record/MarcField.h"

#include <algorithm>

#include "record/LineFormat.h"
#include "record/MarcError.h"

namespace kelvo {

namespace {

// Removes from value, in place, what vostr's Trim removes.
void TrimInPlace(std::string& value) {
  const std::string_view kept = TrimView(value);
  if (kept.size() == value.size()) return;
  const auto start = static_cast<std::size_t>(kept.data() - value.data());
  value.erase(start + kept.size());
  value.erase(0, start);
}

// The n-th subfield with the code (occurrence 1-based): its index, or -1.
int FindSubfieldIndex(const std::vector<std::unique_ptr<TMarcSubField>>& subfields, char code,
                      int occurrence) {
  if (occurrence < 1) return -1;
  for (std::size_t i = 0; i < subfields.size(); ++i)
    if (subfields[i]->Code == code && --occurrence == 0) return static_cast<int>(i);
  return -1;
}

void ReleaseSubfield(TMarcSubField& subfield) { ReleaseLarge(subfield.Value); }

} // namespace

TMarcSubField* TMarcField::AddSubfield(std::unique_ptr<TMarcSubField> subfield) {
  Subfields.push_back(std::move(subfield));
  return Subfields.back().get();
}

TMarcSubField* TMarcField::AddSubfield(char code, std::string_view value) {
  std::unique_ptr<TMarcSubField> subfield = spare_.Take();
  if (!subfield) return AddSubfield(std::make_unique<TMarcSubField>(code, value));
  subfield->Deleted = false;
  subfield->Code = code;
  subfield->Value.assign(value);
  return AddSubfield(std::move(subfield));
}

int TMarcField::SubfieldCount() const { return static_cast<int>(Subfields.size()); }

int TMarcField::SubfieldCount(char code) const {
  return static_cast<int>(
      std::count_if(Subfields.begin(), Subfields.end(), [code](const auto& s) { return s->Code == code; }));
}

int TMarcField::VisibleSubfieldCount() const {
  if (!IsDataField) return 0;
  return static_cast<int>(
      std::count_if(Subfields.begin(), Subfields.end(), [](const auto& s) { return !s->Deleted; }));
}

TMarcSubField* TMarcField::SubfieldAt(int index) const {
  if (index < 0 || index >= SubfieldCount()) throw ListIndexError(index);
  return Subfields[static_cast<std::size_t>(index)].get();
}

TMarcSubField* TMarcField::SubfieldAfter(const TMarcSubField* subfield) const {
  const auto it = std::find_if(Subfields.begin(), Subfields.end(),
                               [subfield](const auto& s) { return s.get() == subfield; });
  if (it == Subfields.end() || it + 1 == Subfields.end()) return nullptr;
  return (it + 1)->get();
}

bool TMarcField::HasSubfield(char code) const { return FindSubfieldPtr(code) != nullptr; }

bool TMarcField::HasSubfields() const { return !Subfields.empty(); }

bool TMarcField::HasAllSubfields(std::string_view codes) const {
  return std::all_of(codes.begin(), codes.end(), [this](char code) { return HasSubfield(code); });
}

bool TMarcField::HasSubfieldInSet(const CharSet& set) const {
  return std::any_of(Subfields.begin(), Subfields.end(), [&set](const auto& s) { return set.Has(s->Code); });
}

TMarcSubField* TMarcField::LastSubfieldInSet(const CharSet& set) const {
  const auto it =
      std::find_if(Subfields.rbegin(), Subfields.rend(), [&set](const auto& s) { return set.Has(s->Code); });
  return it == Subfields.rend() ? nullptr : it->get();
}

TMarcSubField* TMarcField::FindSubfieldPtr(char code, int occurrence) const {
  const int index = FindSubfieldIndex(Subfields, code, occurrence);
  return index < 0 ? nullptr : Subfields[static_cast<std::size_t>(index)].get();
}

bool TMarcField::FindSubfield(char code, int occurrence) {
  CurrentSubfield = FindSubfieldIndex(Subfields, code, occurrence);
  return CurrentSubfield >= 0;
}

int TMarcField::SelectSubfield(int index) {
  CurrentSubfield = index >= 0 && index < SubfieldCount() ? index : -1;
  return SubfieldCount();
}

std::string TMarcField::SubfieldValue(char code, int occurrence) {
  return FindSubfield(code, occurrence) ? CurrentSubfieldObj()->Value : std::string();
}

TMarcSubField& TMarcField::SubFieldByTag(char code, int occurrence) {
  if (!FindSubfield(code, occurrence))
    throw MarcError("Listfel vid anrop till TMarcField.SubFieldByTag[sTag,iOccurr]");
  return *CurrentSubfieldObj();
}

TMarcSubField* TMarcField::CurrentSubfieldObj() const {
  if (CurrentSubfield < 0 || CurrentSubfield >= SubfieldCount()) return nullptr;
  return Subfields[static_cast<std::size_t>(CurrentSubfield)].get();
}

TMarcSubField* TMarcField::FindNextSubfield(const TMarcSubField* after, char code,
                                            const CharSet& stopCodes) const {
  auto it =
      std::find_if(Subfields.begin(), Subfields.end(), [after](const auto& s) { return s.get() == after; });
  if (it == Subfields.end()) return nullptr;
  for (++it; it != Subfields.end(); ++it) {
    if (stopCodes.Has((*it)->Code)) return nullptr;
    if ((*it)->Code == code) return it->get();
  }
  return nullptr;
}

bool TMarcField::HasNextSubfield(const TMarcSubField* after, char code, const CharSet& stopCodes) const {
  return FindNextSubfield(after, code, stopCodes) != nullptr;
}

void TMarcField::DeleteSubfield(const TMarcSubField* subfield) {
  const auto it = std::find_if(Subfields.begin(), Subfields.end(),
                               [subfield](const auto& s) { return s.get() == subfield; });
  if (it == Subfields.end()) return;
  SelectSubfield(static_cast<int>(it - Subfields.begin()));
  DeleteCurrentSubfield();
}

void TMarcField::DeleteCurrentSubfield() {
  if (CurrentSubfieldObj() == nullptr) return;
  const auto at = Subfields.begin() + CurrentSubfield;
  spare_.Recycle(std::move(*at), ReleaseSubfield);
  Subfields.erase(at);
}

void TMarcField::ClearSubfields() {
  spare_.Recycle(Subfields, ReleaseSubfield);
  CurrentSubfield = -1;
  Ind1 = ' ';
  Ind2 = ' ';
  Data.clear();
}

void TMarcField::Release() {
  spare_.Recycle(Subfields, ReleaseSubfield);
  ReleaseLarge(Data);
}

void TMarcField::Reset(std::string_view tag, char ind1, char ind2) {
  Tag.assign(tag);
  Ind1 = ind1;
  Ind2 = ind2;
  Deleted = false;
  Data.clear();
  CurrentSubfield = -1;
  SortGroup = 0;
  SortSeq = 0;
  IsDataField = true;
}

void TMarcField::CopySubfieldsFrom(const TMarcField& other) {
  // By index and count taken first, so that copying a field onto itself
  // doubles its subfields instead of running over the copies.
  const std::size_t count = other.Subfields.size();
  Subfields.reserve(Subfields.size() + count);
  for (std::size_t i = 0; i < count; ++i) {
    const TMarcSubField& source = *other.Subfields[i];
    AddSubfield(source.Code, source.Value)->Deleted = source.Deleted;
  }
}

void TMarcField::TrimSubfields() {
  for (auto& s : Subfields)
    TrimInPlace(s->Value);
}

void TMarcField::MarkSubfields(std::string_view codes) {
  for (auto& s : Subfields)
    if (codes.find(s->Code) != std::string_view::npos) s->Deleted = true;
}

void TMarcField::ReplaceChar(char from, char to, bool subfieldsOnly) {
  if (!subfieldsOnly) ReplaceChars(Data, from, to);
  for (auto& s : Subfields)
    s->ReplaceChar(from, to);
}

std::string TMarcField::AsText(char fieldMark, char delimiter, bool subfieldLines) const {
  std::string text;
  AppendText(text, fieldMark, delimiter, subfieldLines);
  return text;
}

void TMarcField::AppendText(std::string& out, char fieldMark, char delimiter, bool subfieldLines) const {
  if (Subfields.empty()) {
    out += fieldMark;
    out += Tag;
    out += Data;
    return;
  }
  if (!IsDataField) return;
  // Rendered in one pass; a field whose subfields are all deleted is taken back.
  const std::size_t start = out.size();
  out += fieldMark;
  out += Tag;
  out += Ind1;
  out += Ind2;
  bool visible = false;
  for (std::size_t i = 0; i < Subfields.size(); ++i) {
    const TMarcSubField& s = *Subfields[i];
    if (s.Deleted) continue;
    visible = true;
    if (subfieldLines && i != 0) out += LineEnd;
    out += delimiter;
    out += s.Code;
    out += s.Value;
  }
  if (!visible) out.resize(start);
}

void TMarcField::ParseText(std::string_view text, char fieldMark, char delimiter) {
  if (!text.empty() && text.front() == fieldMark) text.remove_prefix(1);
  IsDataField = text.find(delimiter) != std::string_view::npos;
  if (text.size() >= 3) {
    Tag.assign(text.substr(0, 3));
    text.remove_prefix(3);
  }
  if (!IsDataField) {
    Data.assign(text);
    return;
  }
  // The two characters after the tag are the indicators whatever they are,
  // even the delimiter itself; the subfields begin after the first delimiter.
  if (!text.empty()) Ind1 = text[0];
  if (text.size() > 1) Ind2 = text[1];
  if (const std::size_t first = text.find(delimiter); first != std::string_view::npos)
    text.remove_prefix(first + 1);
  while (!IsBlank(text)) {
    const std::size_t next = text.find(delimiter);
    const std::string_view piece = text.substr(0, next);
    text = next == std::string_view::npos ? std::string_view() : text.substr(next + 1);
    if (!IsBlank(piece)) AddSubfield(piece.front(), piece.substr(1));
  }
}

} // namespace kelvo
