#pragma once
// The base of the vendor converters: the parsed vendor record (SourceRecord)
// and the values read from it that both passes classify by; and the small copy
// operations the field rules are built from.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "convert/KonvSimple.h"

namespace kelvo::dalk_kv21 {

// Leader/07 of a vendor record as far as multi-volume works go: the class of
// a record in both passes.
enum class TMultiVolumeLevel : std::uint8_t { Other, Head, Part };

// Leader/07 of source: "e", "g" head; "d", "i" part; anything else, a short
// leader or none: other.
TMultiVolumeLevel MultiVolumeLevel(const TMarcRec& source);
// Characters 2-3 of the first "b" of the first 887 with Ind1 "0" that has a "b".
std::string ObjectType(const TMarcRec& source);
// Characters 10-18 of the first "b" of the first 887 with Ind1 "1" (empty without "b").
std::string PartLink(const TMarcRec& source);
// Characters from..from+count-1 (1-based) of the 001 data; empty without 001.
std::string Field001Part(const TMarcRec& source, int from, int count);

// The copy operations of the field rules: they add to out. An indicator
// argument '\0' leaves the indicator as copied; a blank new tag keeps the tag.
TMarcField* CopyFieldAs(TMarcRec& out, const TMarcField& field, std::string_view newTag, char ind1,
                        char ind2);
// Copies the fields of source with the tag whose indicators equal the filters ('\0': any).
void CopyFieldsWhere(const TMarcRec& source, TMarcRec& out, std::string_view tag, char ind1Filter,
                     char ind2Filter, std::string_view newTag, char ind1, char ind2);
// which 0: the leader ("000"), 1: the 008 of out; empty when missing.
std::string GetLeaderOr008(const TMarcRec& out, int which);
void SetLeaderOr008(TMarcRec& out, int which, std::string_view data);

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

  // Carried for the run; no rule of the vendor profile reads them.
  bool SeparatePeriodicals = false;
  bool SeparateWeeded = false;
  std::string PeriodicalsFile;
  std::string WeededFile;
  const std::vector<std::string>* FilterLines = nullptr;

  // Reads the next record text and parses it into SourceRecord (either
  // format), ahead on a second thread when Jobs is above 1; OutRecord is cleared.
  void ConvertNext() override;

  // The values above of SourceRecord.
  TMultiVolumeLevel MultiVolumeLevel() const { return dalk_kv21::MultiVolumeLevel(SourceRecord); }
  std::string ObjectType() const { return dalk_kv21::ObjectType(SourceRecord); }
  std::string PartLink() const { return dalk_kv21::PartLink(SourceRecord); }
  std::string Field001Part(int from, int count) const {
    return dalk_kv21::Field001Part(SourceRecord, from, count);
  }
  void CopyAllFields();
};

} // namespace kelvo::dalk_kv21
