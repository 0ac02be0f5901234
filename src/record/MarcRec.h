#pragma once
// A MARC record: an ordered list of fields with a cursor, a couple queue, and
// the exclude filter applied when the record is rendered. Field occurrences
// are 1-based, indexes 0-based. Operations marked "moves cursor" set CurrentField.
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "record/CoupleList.h"
#include "record/MarcField.h"

namespace kelvo {

class TMarcRec {
public:
  TMarcRec() = default;
  TMarcRec(const TMarcRec&) = delete;
  TMarcRec& operator=(const TMarcRec&) = delete;

  std::vector<std::unique_ptr<TMarcField>> Fields;
  TCoupleList Couples;
  std::vector<std::string> FilterEntries; // sorted case-insensitively, no duplicates; set by SetFilter
  char FieldMark = '*';
  char SubfieldDelimiter = '$';
  int CurrentField = -1;
  bool ApplyFilter = true;

  void Clear(); // removes all fields (kept for reuse); couples and filter stay

  int FieldCount() const;
  int FieldCount(std::string_view tag) const;
  // Index outside the list: MarcError (programming error).
  TMarcField& FieldAt(int index) const;

  int SelectField(int index); // moves cursor
  bool HasCurrentField() const;
  TMarcField* CurrentFieldObj() const; // at the cursor, or none

  bool FindField(std::string_view tag, int occurrence = 1); // moves cursor
  bool HasField(std::string_view tag);                      // moves cursor
  // Raises "Listfel vid anrop till TMarcRec.FieldByTag[sTag,iOccurr]".
  TMarcField& FieldByTag(std::string_view tag, int occurrence = 1); // moves cursor
  // Cursor-free lookups for rules that only read: the n-th field with the tag, or none.
  TMarcField* FindFieldPtr(std::string_view tag, int occurrence = 1) const;
  bool HasFieldWithSubfield(std::string_view tag, char code) const;
  std::string SubfieldValue(std::string_view tag, char code, int fieldOccurrence = 1,
                            int subfieldOccurrence = 1) const;
  std::string FieldData(std::string_view tag) const;
  std::string Leader() const;
  void SetLeader(std::string_view leader);

  TMarcField* AddField(std::unique_ptr<TMarcField> field);
  // A field not yet in the record, as TMarcField(tag, ind1, ind2) makes it,
  // built in a spare field; one that is not added goes back through Discard.
  std::unique_ptr<TMarcField> NewField(std::string_view tag, char ind1 = ' ', char ind2 = ' ');
  void Discard(std::unique_ptr<TMarcField> field);
  TMarcField* AddField(std::string_view tag, char ind1 = ' ', char ind2 = ' ');
  TMarcField* AddControlField(std::string_view tag, std::string_view data);
  void AddCouple(char code, std::string_view value);
  TMarcField* AddFieldFromCouples(std::string_view tag, char ind1, char ind2);
  // Adds a field only when some value is non-blank; returns it or none.
  TMarcField* AddFieldFromArrays(std::string_view tag, char ind1, char ind2, std::string_view codes,
                                 std::initializer_list<std::string_view> values) {
    return AddFieldFromArrays(tag, ind1, ind2, codes, std::span(values.begin(), values.size()));
  }
  TMarcField* AddFieldFromArrays(std::string_view tag, char ind1, char ind2, std::string_view codes,
                                 std::span<const std::string_view> values);
  // Always adds the field, with one subfield per non-blank value.
  TMarcField* AddFieldWithSubfields(std::string_view tag, char ind1, char ind2, std::string_view codes,
                                    std::initializer_list<std::string_view> values) {
    return AddFieldWithSubfields(tag, ind1, ind2, codes, std::span(values.begin(), values.size()));
  }
  TMarcField* AddFieldWithSubfields(std::string_view tag, char ind1, char ind2, std::string_view codes,
                                    std::span<const std::string_view> values);
  TMarcField* CopyField(const TMarcField& field, std::string_view newTag = {});
  // Makes this record's fields what CopyField of every field of source in
  // order makes, moving them instead of copying: source is left without fields.
  void TakeFieldsOf(TMarcRec& source);

  void DeleteCurrentField();
  // Raises "Ogiltigt anrop av TMarcField.DeleteField(oFld)" when the field is not in this record.
  void DeleteField(const TMarcField* field);

  void TrimSubfields();
  void ReplaceChar(char from, char to);
  void SortFields();
  void SortFieldsStable();

  // Exclude filter
  void SetFilter(std::string_view text);
  // Takes the filter and the rendering settings of other (a record of another thread's converter).
  void CopyOptions(const TMarcRec& other);
  void MarkFiltered();
  std::string FilterEntryFor() const;

  // Line format: field lines each ended by CR LF (filter applied first when ApplyFilter).
  std::string AsText();
  void AppendText(std::string& out); // same, appended to out
  void ParseText(std::string_view text);

private:
  // The entry of FilterEntries that governs fields with this tag, or none.
  const std::string* FilterEntryForTag(std::string_view tag) const;

  std::map<std::string, std::size_t, std::less<>> filterIndex_; // tag -> its entry in FilterEntries

  struct SortItem {
    std::uint64_t key; // the packed key, when every field has one
    int index;         // in Fields before sorting
    int counter;       // SortFields' run counter
    // The sorts' order of packed keys: by key, equal keys keeping their place.
    bool operator<(const SortItem& other) const {
      return key != other.key ? key < other.key : index < other.index;
    }
  };

  static void ReleaseField(TMarcField& field); // readies a removed field for spare_
  void TakeSortOrder();                        // Fields in the order of sortItems_

  TNodePool<TMarcField> spare_; // removed fields, reused by AddField
  // The sorts' working lists, kept between records.
  std::vector<SortItem> sortItems_;
  std::vector<std::unique_ptr<TMarcField>> sortedFields_;
};

} // namespace kelvo
