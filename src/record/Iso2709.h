#pragma once
// Reader of one ISO 2709 record text (without its record terminator).
// It never raises and never reads outside the record text.
#include <cstddef>
#include <string>
#include <string_view>

namespace kelvo {

class TMarcRec;

// Ends every record of an ISO 2709 input.
inline constexpr char IsoRecordTerminator = '\x1d';

class TIsoFldClass {
public:
  bool IsControl = true;
  char SubfieldDelimiter = '\x1f';
  char BlankIndicator = ' ';
  std::string Tag;
  std::string Data;

  char Indicator(int position) const; // 1 or 2
  int SubfieldCount() const;
  // n-th subfield (1-based): code and value; code 0 and empty value when none.
  void Subfield(int n, char& code, std::string& value) const;
};

class TIso2709 {
public:
  TIsoFldClass FieldInfo;
  // The text SetRecord was given, not copied: valid as long as that text.
  std::string_view RecordData;
  char FieldTerminator = '\x1e';
  char SubfieldDelimiter = '\x1f';

  // Takes the record text (a view of it) and measures its directory.
  void SetRecord(std::string_view text);
  std::string Leader() const;
  std::string Directory() const;
  std::string_view DirectoryView() const; // the same, within RecordData
  int DataStart() const;
  int FieldCount() const;
  const TIsoFldClass& GetField(int index);

private:
  std::size_t dirLength_ = 0; // characters of the directory, measured by SetRecord
  bool blank_ = true;
};

// A record text with a usable leader (24 characters beginning with the record
// length as five digits) and at least one directory entry before its first
// field terminator: what tells a record of the format from other text.
bool ReadsAsIso2709Record(std::string_view text);
// The text after an input's last record terminator is an incomplete record
// when the input ends inside its leader or before the end its record length
// gives (the record length counts the terminator). Blank text is none.
bool IsIncompleteIso2709Record(std::string_view text);

// Builds rec (cleared first) from one ISO 2709 record text in the order the
// converters use: fields in directory order, the leader as "000", SortFields.
void BuildRecordFromIso(TIso2709& reader, std::string_view text, TMarcRec& rec);

} // namespace kelvo
