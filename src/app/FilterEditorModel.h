#pragma once
// The field-filter editor without its toolkit: the sorted list of entries,
// the two edit fields with their key filters, and when Add, Remove and OK are
// available. An entry is a tag of three digits, optionally followed by
// subfield codes ("245" or "245cb"); lines of another shape, written by hand,
// are kept as they are.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

inline constexpr std::size_t FilterTagLength = 3;

class TFilterEditorModel {
public:
  std::vector<std::string> Entries; // lbxExclude, kept sorted (case ignored)
  int Selected = -1;                // the selected entry, -1 for none
  std::string Tag;                  // edMarcFieldTag
  std::string SubFields;            // edSubFields
  bool AddEnabled = false;          // btnAdd
  bool RemoveEnabled = false;       // btnRemove
  bool OKEnabled = false;           // btnOK

  // The lines of the filter file, sorted; no file gives an empty list. A file
  // that exists but cannot be read raises MarcError naming it.
  void Load(const std::string& fileName);
  // One entry a line in list order, replacing the file at once
  // (StoreFileAtomically); false when it could not be written.
  bool Save(const std::string& fileName) const;

  // Both availabilities evaluated, OK disabled.
  void FormActivate();

  // Whether a typed character goes into the field. Tag: control characters
  // below 31 and the digits. Subfield codes: control characters up to 31, and
  // digits, "a" to "z", "å", "ä", "ö" (code page 1252) when the field does
  // not hold that character yet.
  bool edMarcFieldTagKeyPress(char key) const;
  bool edSubFieldsKeyPress(char key) const;
  // After a change of either field: Add availability.
  void edMarcFieldTagChange();

  // Whole texts as the key filters would let them be typed: every character
  // accepted after those before it (a pasted text must pass as typed).
  static bool TagTextAccepted(std::string_view text);
  static bool SubFieldsTextAccepted(std::string_view text);

  // A key typed at the end of a field: kept when the filter and the tag's
  // length allow it (control characters change nothing), then the change.
  void TypeTag(char key);
  void TypeSubFields(char key);
  // A field's text set as a whole (what the window's edit holds), then the change.
  void SetTag(std::string text);
  void SetSubFields(std::string text);

  // Tag plus codes replaces the first entry that begins with the tag, or
  // takes its sorted place; the fields are emptied and OK enabled.
  void btnAddClick();
  // A click on the list: the entry at index (-1 for none) is selected.
  void lbxExcludeClick(int index);
  // The selected entry goes into the edit fields (its first three characters
  // into the tag) and out of the list; OK enabled. Nothing when none is selected.
  void btnRemoveClick();

private:
  void InsertSorted(std::string entry);
  void UpdateRemove();
};

} // namespace kelvo
