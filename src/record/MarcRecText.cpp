// The line-format text of a record and the exclude filter that rendering
// applies.
#include <algorithm>

#include "record/LineFormat.h"
#include "record/MarcRec.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

// Copies piece into buffer with every CR LF pair replaced by one space (a
// field continued on following lines is joined with spaces).
std::string_view JoinContinuationLines(std::string_view piece, std::string& buffer) {
  buffer.clear();
  for (std::size_t start = 0;;) {
    const std::size_t lineEnd = piece.find(LineEnd, start);
    if (lineEnd == std::string_view::npos) {
      buffer.append(piece.substr(start));
      return buffer;
    }
    buffer.append(piece.substr(start, lineEnd - start));
    buffer += ' ';
    start = lineEnd + LineEnd.size();
  }
}

} // namespace

std::string TMarcRec::AsText() {
  std::string text;
  AppendText(text);
  return text;
}

void TMarcRec::AppendText(std::string& out) {
  if (ApplyFilter) MarkFiltered();
  for (const auto& field : Fields) {
    if (field->Deleted) continue;
    const std::size_t start = out.size();
    field->AppendText(out, FieldMark, SubfieldDelimiter, false);
    if (IsBlank(std::string_view(out).substr(start)))
      out.resize(start);
    else
      out += LineEnd;
  }
}

void TMarcRec::ParseText(std::string_view text) {
  Clear();
  // Every piece between two field marks, trimmed, of at least 3 characters is
  // a field. Joining continuation lines per piece gives the same pieces as
  // joining the whole text first, since a line end is never a field mark and
  // the trimming removes CR, LF and space alike; most pieces have no inner
  // line end and are parsed straight from the text.
  std::string joined;
  while (!IsBlank(text)) {
    const std::size_t mark = text.find(FieldMark);
    std::string_view piece = TrimView(text.substr(0, mark));
    text = mark == std::string_view::npos ? std::string_view() : text.substr(mark + 1);
    if (piece.find(LineEnd) != std::string_view::npos) piece = JoinContinuationLines(piece, joined);
    if (piece.size() < 3) continue;
    AddField(std::string_view())->ParseText(piece, FieldMark, SubfieldDelimiter);
  }
}

void TMarcRec::CopyOptions(const TMarcRec& other) {
  FilterEntries = other.FilterEntries;
  filterIndex_ = other.filterIndex_;
  FieldMark = other.FieldMark;
  SubfieldDelimiter = other.SubfieldDelimiter;
  ApplyFilter = other.ApplyFilter;
}

void TMarcRec::SetFilter(std::string_view text) {
  FilterEntries.clear();
  filterIndex_.clear();
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t space = std::min(text.find(' ', start), text.size());
    const std::string_view piece = TrimView(text.substr(start, space - start));
    start = space + 1;
    if (!IsBlank(piece)) FilterEntries.emplace_back(piece);
  }
  // Sorted case-insensitively once all are read (a filter of millions of
  // entries loads in linear-logarithmic time); of entries equal but for
  // letter case the first given stays.
  std::stable_sort(FilterEntries.begin(), FilterEntries.end(),
                   [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
  FilterEntries.erase(
      std::unique(FilterEntries.begin(), FilterEntries.end(),
                  [](const std::string& a, const std::string& b) { return CompareText(a, b) == 0; }),
      FilterEntries.end());
  // The entry that governs a tag is the first, in sorted order, of at least
  // three characters whose first three are the tag.
  for (std::size_t i = 0; i < FilterEntries.size(); ++i)
    if (FilterEntries[i].size() >= 3) filterIndex_.emplace(FilterEntries[i].substr(0, 3), i);
}

const std::string* TMarcRec::FilterEntryForTag(std::string_view tag) const {
  const auto it = filterIndex_.find(tag);
  return it == filterIndex_.end() ? nullptr : &FilterEntries[it->second];
}

void TMarcRec::MarkFiltered() {
  for (std::size_t i = 0; i < Fields.size(); ++i) {
    CurrentField = static_cast<int>(i);
    TMarcField& field = *Fields[i];
    const std::string* entry = FilterEntryForTag(field.Tag);
    if (entry == nullptr || IsBlank(*entry)) continue;
    if (entry->size() == 3)
      field.Deleted = true;
    else
      field.MarkSubfields(std::string_view(*entry).substr(3));
  }
}

std::string TMarcRec::FilterEntryFor() const {
  const TMarcField* field = CurrentFieldObj();
  const std::string* entry = field ? FilterEntryForTag(field->Tag) : nullptr;
  return entry ? *entry : std::string();
}

} // namespace kelvo
