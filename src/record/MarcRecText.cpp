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

// The filter entry that governs fields with this tag: the first entry (in
// sorted order) of at least three characters whose first three are the tag.
const std::string* FilterEntryForTag(const std::vector<std::string>& entries, std::string_view tag) {
  const auto it = std::find_if(entries.begin(), entries.end(), [tag](const std::string& entry) {
    return entry.size() >= 3 && std::string_view(entry).substr(0, 3) == tag;
  });
  return it == entries.end() ? nullptr : &*it;
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

void TMarcRec::SetFilter(std::string_view text) {
  FilterEntries.clear();
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t space = std::min(text.find(' ', start), text.size());
    const std::string_view piece = TrimView(text.substr(start, space - start));
    start = space + 1;
    if (IsBlank(piece)) continue;
    // Sorted case-insensitively; an entry equal to one already held (letter
    // case ignored) is dropped.
    const auto at =
        std::lower_bound(FilterEntries.begin(), FilterEntries.end(), piece,
                         [](const std::string& a, std::string_view b) { return CompareText(a, b) < 0; });
    if (at == FilterEntries.end() || CompareText(*at, piece) != 0) FilterEntries.emplace(at, piece);
  }
}

void TMarcRec::MarkFiltered() {
  for (std::size_t i = 0; i < Fields.size(); ++i) {
    CurrentField = static_cast<int>(i);
    TMarcField& field = *Fields[i];
    const std::string* entry = FilterEntryForTag(FilterEntries, field.Tag);
    if (entry == nullptr || IsBlank(*entry)) continue;
    if (entry->size() == 3)
      field.Deleted = true;
    else
      field.MarkSubfields(std::string_view(*entry).substr(3));
  }
}

std::string TMarcRec::FilterEntryFor() const {
  const TMarcField* field = CurrentFieldObj();
  const std::string* entry = field ? FilterEntryForTag(FilterEntries, field->Tag) : nullptr;
  return entry ? *entry : std::string();
}

} // namespace kelvo
