#include "record/Iso2709.h"

#include <algorithm>

#include "record/MarcRec.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

constexpr std::size_t kLeaderLength = 24;
constexpr std::size_t kEntryLength = 12;
constexpr std::size_t kTagLength = 3;
constexpr std::size_t kLengthDigits = 4;
constexpr std::size_t kStartDigits = 5;
// The code given to a delimiter that ends the data, where no code follows it.
constexpr char kMissingCode = '\x01';

// A directory number of N characters: digits, optionally after leading
// blanks. Anything else (a sign, a letter, only blanks) is not a number and
// reads as 0, so that a damaged entry can neither point before the data area
// nor overflow. Entries are read millions of times a run: the width is fixed
// and the characters are tested as they are added up.
template <std::size_t N> int EntryNumber(const char* digits) {
  std::size_t i = 0;
  while (i < N && digits[i] == ' ')
    ++i;
  if (i == N) return 0;
  int value = 0;
  for (; i < N; ++i) {
    const unsigned digit = static_cast<unsigned char>(digits[i]) - unsigned{'0'};
    if (digit > 9) return 0;
    value = value * 10 + static_cast<int>(digit);
  }
  return value;
}

// Calls f(code, value) for every subfield delimiter of data in order, from
// the first one at pos on, until f returns false. The code is the character
// after the delimiter, even when that is a delimiter too; the value runs from
// the character after the code to the next delimiter or the end.
template <class F> void ForEachSubfieldFrom(std::string_view data, std::size_t pos, char delimiter, F&& f) {
  while (pos != std::string_view::npos) {
    const std::size_t codePos = pos + 1;
    if (codePos >= data.size()) {
      f(kMissingCode, std::string_view{});
      return;
    }
    const std::size_t valueStart = codePos + 1;
    const std::size_t next = data.find(delimiter, valueStart);
    const std::size_t valueEnd = std::min(next, data.size());
    if (!f(data[codePos], data.substr(valueStart, valueEnd - valueStart))) return;
    pos = data[codePos] == delimiter ? codePos : next;
  }
}

template <class F> void ForEachSubfield(std::string_view data, char delimiter, F&& f) {
  ForEachSubfieldFrom(data, data.find(delimiter), delimiter, f);
}

// Tag and data of one directory entry of record.
struct TEntryView {
  std::string_view tag;
  std::string_view data;
};

// The entry at index (0-based, within the directory) of record, whose
// directory is directory. The field terminator counted in the length is left
// out. Whatever the entry says, only bytes of the record text are taken: a
// field running past the end is cut there, one starting past the end is empty.
TEntryView ReadEntry(std::string_view record, std::string_view directory, std::size_t index) {
  const char* entry = directory.data() + index * kEntryLength;
  const int length = EntryNumber<kLengthDigits>(entry + kTagLength);
  const int start = EntryNumber<kStartDigits>(entry + kTagLength + kLengthDigits);
  const std::size_t offset = directory.size() + kLeaderLength + 1 + static_cast<std::size_t>(start);
  std::string_view data;
  if (length > 1 && offset < record.size())
    data = record.substr(offset, static_cast<std::size_t>(length) - 1);
  return {std::string_view(entry, kTagLength), data};
}

} // namespace

char TIsoFldClass::Indicator(int position) const {
  if (Data.size() < 2 || position < 1 || position > 2) return BlankIndicator;
  return Data[static_cast<std::size_t>(position) - 1];
}

int TIsoFldClass::SubfieldCount() const {
  return static_cast<int>(std::count(Data.begin(), Data.end(), SubfieldDelimiter));
}

void TIsoFldClass::Subfield(int n, char& code, std::string& value) const {
  code = '\0';
  value.clear();
  if (n < 1) return;
  int seen = 0;
  ForEachSubfield(Data, SubfieldDelimiter, [&](char c, std::string_view v) {
    if (++seen < n) return true;
    code = c;
    value.assign(v);
    return false;
  });
}

void TIso2709::SetRecord(std::string_view text) {
  RecordData = text;
  blank_ = IsBlank(RecordData);
  // The directory runs from the end of the leader to the first field
  // terminator of the record; a terminator inside the leader leaves it empty.
  const std::size_t end = RecordData.find(FieldTerminator);
  dirLength_ = end == std::string::npos || end < kLeaderLength ? 0 : end - kLeaderLength;
}

std::string_view TIso2709::DirectoryView() const {
  const std::string_view record = RecordData;
  if (record.size() <= kLeaderLength) return {};
  return record.substr(kLeaderLength, dirLength_);
}

std::string TIso2709::Leader() const {
  return std::string(std::string_view(RecordData).substr(0, kLeaderLength));
}

std::string TIso2709::Directory() const { return std::string(DirectoryView()); }

int TIso2709::DataStart() const {
  if (blank_) return -1;
  return static_cast<int>(DirectoryView().size() + kLeaderLength + 2);
}

int TIso2709::FieldCount() const { return static_cast<int>(DirectoryView().size() / kEntryLength); }

const TIsoFldClass& TIso2709::GetField(int index) {
  TIsoFldClass& fld = FieldInfo;
  fld.SubfieldDelimiter = SubfieldDelimiter;
  fld.Tag.clear();
  fld.Data.clear();
  fld.IsControl = true;
  const std::string_view directory = DirectoryView();
  if (index < 0 || static_cast<std::size_t>(index) >= directory.size() / kEntryLength) return fld;

  const TEntryView entry = ReadEntry(RecordData, directory, static_cast<std::size_t>(index));
  fld.Tag.assign(entry.tag);
  fld.Data.assign(entry.data);
  fld.IsControl = fld.Data.find(SubfieldDelimiter) == std::string::npos;
  return fld;
}

namespace {

constexpr std::size_t kRecordLengthDigits = 5;

// The record length at the start of a leader: how many of the first five
// characters are digits (all five for a usable leader).
std::size_t LeadingLengthDigits(std::string_view text) {
  std::size_t n = 0;
  while (n < kRecordLengthDigits && n < text.size() && text[n] >= '0' && text[n] <= '9')
    ++n;
  return n;
}

} // namespace

bool ReadsAsIso2709Record(std::string_view text) {
  const std::size_t terminator = text.find('\x1e');
  return LeadingLengthDigits(text) == kRecordLengthDigits && terminator != std::string_view::npos &&
         terminator >= kLeaderLength + kEntryLength;
}

bool IsIncompleteIso2709Record(std::string_view text) {
  if (IsBlank(text)) return false;
  const std::size_t digits = LeadingLengthDigits(text);
  if (digits < std::min(kRecordLengthDigits, text.size())) return false; // not a leader at all
  if (text.size() < kLeaderLength) return true;
  return static_cast<std::size_t>(EntryNumber<kRecordLengthDigits>(text.data())) > text.size() + 1;
}

void BuildRecordFromIso(TIso2709& reader, std::string_view text, TMarcRec& rec) {
  rec.Clear();
  rec.Couples.Clear(); // a pair left queued by a caller must not end up in this record
  reader.SetRecord(text);
  // The fields are filled straight from the record text: a field without a
  // subfield delimiter is a control field, any other a data field with its
  // indicators and at least one subfield.
  const std::string_view record = reader.RecordData;
  const std::string_view directory = reader.DirectoryView();
  const char delimiter = reader.SubfieldDelimiter;
  const char blank = reader.FieldInfo.BlankIndicator;
  for (std::size_t i = 0; i < directory.size() / kEntryLength; ++i) {
    const TEntryView entry = ReadEntry(record, directory, i);
    const std::size_t first = entry.data.find(delimiter);
    if (first == std::string_view::npos) {
      rec.AddControlField(entry.tag, entry.data);
      continue;
    }
    const bool hasIndicators = entry.data.size() >= 2;
    TMarcField* field =
        rec.AddField(entry.tag, hasIndicators ? entry.data[0] : blank, hasIndicators ? entry.data[1] : blank);
    ForEachSubfieldFrom(entry.data, first, delimiter, [field](char code, std::string_view value) {
      field->AddSubfield(code, value);
      return true;
    });
  }
  rec.AddControlField("000", record.substr(0, kLeaderLength));
  rec.SortFields();
}

} // namespace kelvo
