#pragma once
// The base of the vendor converters: the parsed vendor record (SourceRecord),
// the values read from it that both passes classify by, and the small copy
// operations the field rules are built from.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "convert/KonvSimple.h"

namespace kelvo::dalk_kv21 {

// Leader/07 of a vendor record as far as multi-volume works go.
enum class TMultiVolumeLevel : std::uint8_t { Other, Head, Part };

class TMrc2KvBase : public TKonvSimple {
public:
  // A converter with an output file. The output record's filter is set from
  // the filter lines (borrowed; they must outlive the converter).
  TMrc2KvBase(const std::string& outFileName, const std::string& inFileName, const std::string& terminator,
              const std::vector<std::string>& filterLines, bool sourceIsIso, bool separatePeriodicals,
              const std::string& periodicalsFile, bool separateWeeded, const std::string& weededFile);
  // A reader without an output file (the collect pass).
  TMrc2KvBase(const std::string& inFileName, bool sourceIsIso, const std::string& terminator);
  ~TMrc2KvBase() override;

  bool ConvertToKv2 = true;
  // Carried for the run; no rule of the vendor profile reads them.
  bool SeparatePeriodicals = false;
  bool SeparateWeeded = false;
  std::string PeriodicalsFile;
  std::string WeededFile;
  // Stored only; the vendor stamp has a fixed text.
  std::string ConversionLabel;
  TMarcRec SourceRecord;
  const std::vector<std::string>* FilterLines = nullptr;

  // Reads the next record text and parses it into SourceRecord (either
  // format); OutRecord is cleared.
  void ConvertNext() override;

  // Leader/07 of SourceRecord: "e", "g" head; "d", "i" part; anything else,
  // a short leader or none: other.
  TMultiVolumeLevel MultiVolumeLevel() const;
  // Characters 2-3 of the first "b" of the first 887 with Ind1 "0" that has a "b".
  std::string ObjectType() const;
  // Characters 10-18 of the first "b" of the first 887 with Ind1 "1" (empty without "b").
  std::string PartLink() const;
  // Characters from..from+count-1 (1-based) of the 001 data; empty without 001.
  std::string Field001Part(int from, int count) const;

  // Copy operations of the field rules: they read SourceRecord and add to
  // OutRecord. An indicator argument '\0' leaves the indicator as copied; a
  // blank new tag keeps the tag.
  //
  // Calls rule(field, index of its last subfield, new tag) for every source field with the tag.
  template <class TRule>
  void ForEachField(std::string_view tag, std::string_view newTag, TRule&& rule) const {
    for (const auto& field : SourceRecord.Fields)
      if (field->Tag == tag) rule(*field, field->SubfieldCount() - 1, NewTagOr(newTag, tag));
  }
  TMarcField* CopyFieldAs(const TMarcField& field, std::string_view newTag, char ind1, char ind2);
  void CopyFieldsAs(std::string_view tag, std::string_view newTag, char ind1, char ind2);
  // Copies the fields with the tag whose indicators equal the filters ('\0': any).
  void CopyFieldsWhere(std::string_view tag, char ind1Filter, char ind2Filter, std::string_view newTag,
                       char ind1, char ind2);
  // which 0: the output leader ("000"), 1: the output 008; empty when missing.
  std::string GetLeaderOr008(int which) const;
  void SetLeaderOr008(int which, std::string_view data);
  void CopyAllFields();

protected:
  static std::string_view NewTagOr(std::string_view newTag, std::string_view tag);
};

} // namespace kelvo::dalk_kv21
