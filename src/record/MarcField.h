#pragma once
// One field: tag, two indicators and either control data or subfields.
// Subfield occurrences are 1-based, indexes 0-based. Operations marked
// "moves cursor" set CurrentSubfield.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "record/MarcSubField.h"
#include "record/NodePool.h"
#include "record/vostr.h"

namespace kelvo {

class TMarcField {
public:
  TMarcField() = default;
  TMarcField(std::string_view tag, char ind1, char ind2) : Tag(tag), Ind1(ind1), Ind2(ind2) {}

  std::string Tag;
  char Ind1 = ' ';
  char Ind2 = ' ';
  bool Deleted = false;
  std::string Data;
  int CurrentSubfield = -1;
  int SortGroup = 0;
  int SortSeq = 0;
  bool IsDataField = true;
  std::vector<std::unique_ptr<TMarcSubField>> Subfields;

  // Whether the tag is tag; inline and without a library call for the usual
  // three characters, since the rules compare tags millions of times a run.
  bool HasTag(std::string_view tag) const {
    if (Tag.size() != tag.size()) return false;
    if (tag.size() == 3) return Tag[0] == tag[0] && Tag[1] == tag[1] && Tag[2] == tag[2];
    return Tag == tag;
  }

  TMarcSubField* AddSubfield(std::unique_ptr<TMarcSubField> subfield);
  TMarcSubField* AddSubfield(char code, std::string_view value);

  int SubfieldCount() const;
  int SubfieldCount(char code) const;
  int VisibleSubfieldCount() const;
  // Index outside the list: MarcError (programming error).
  TMarcSubField* SubfieldAt(int index) const;
  TMarcSubField* SubfieldAfter(const TMarcSubField* subfield) const;

  bool HasSubfield(char code) const;
  bool HasSubfields() const;
  bool HasAllSubfields(std::string_view codes) const;
  bool HasSubfieldInSet(const CharSet& set) const;
  TMarcSubField* LastSubfieldInSet(const CharSet& set) const;

  bool FindSubfield(char code, int occurrence = 1);         // moves cursor
  int SelectSubfield(int index);                            // moves cursor
  std::string SubfieldValue(char code, int occurrence = 1); // moves cursor
  // Raises "Listfel vid anrop till TMarcField.SubFieldByTag[sTag,iOccurr]".
  TMarcSubField& SubFieldByTag(char code, int occurrence = 1); // moves cursor
  TMarcSubField* CurrentSubfieldObj() const;                   // at the cursor, or none
  // Cursor-free lookup for rules that only read: the n-th subfield with the code, or none.
  TMarcSubField* FindSubfieldPtr(char code, int occurrence = 1) const;

  TMarcSubField* FindNextSubfield(const TMarcSubField* after, char code, const CharSet& stopCodes) const;
  bool HasNextSubfield(const TMarcSubField* after, char code, const CharSet& stopCodes) const;

  void DeleteSubfield(const TMarcSubField* subfield);
  void DeleteCurrentSubfield();
  void ClearSubfields();
  void CopySubfieldsFrom(const TMarcField& other);
  void TrimSubfields();
  void MarkSubfields(std::string_view codes);
  void ReplaceChar(char from, char to, bool subfieldsOnly);

  // Line format of one field (no line end).
  std::string AsText(char fieldMark, char delimiter, bool subfieldLines) const;
  // Appends the same text to out (the writer's allocation-free path).
  void AppendText(std::string& out, char fieldMark, char delimiter, bool subfieldLines) const;
  void ParseText(std::string_view text, char fieldMark, char delimiter);

private:
  friend class TMarcRec;

  // A field keeps this many removed subfields at most for reuse.
  static constexpr std::size_t kKeptSubfields = 16;

  // Readies the field for the record's pool: the subfields go to spare_, long
  // values' storage is freed.
  void Release();
  // Makes the released field what TMarcField(tag, ind1, ind2) makes.
  void Reset(std::string_view tag, char ind1, char ind2);

  TNodePool<TMarcSubField> spare_{kKeptSubfields}; // removed subfields, reused by AddSubfield
};

} // namespace kelvo
