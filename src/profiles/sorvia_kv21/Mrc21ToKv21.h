#pragma once
// Profile 1 ("SorvM21/KV2/Marc21"): MARC21 to Kelvo 2.1.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "convert/KonvSimple.h"

namespace kelvo::sorvia_kv21 {

class TKv21FieldRules;
class TKv21Identifiers;
class TKv21CleanUps;
class TWeedingCriteria;

class TMrc21ToKv21 : public TKonvSimple {
public:
  // Side files are opened here like the output (emptied when the output
  // begins); one that cannot be opened raises MarcError naming the file.
  TMrc21ToKv21(const std::string& outFileName, const std::string& inFileName, const std::string& terminator,
               const std::vector<std::string>& filterLines, bool sourceIsIso, bool separatePeriodicals,
               const std::string& periodicalsFile, bool separateWeeded, const std::string& weededFile);
  ~TMrc21ToKv21() override;

  TMarcRec SourceRecord;
  bool ConvertToKv2 = true;
  std::string ConversionLabel;
  std::string WeedingCriteria = "Utgallr|Gallr|U";
  // Options of the settings section "kv2m21spec"
  bool Fld852cUnconditionally = false;
  bool VoyagerIdKeep = false;
  bool KeepOld035Handling = false;

  // Reads, converts and routes one record.
  void ConvertNext() override;

  // Tests on the output record that decide where it goes.
  bool IsWeeded();
  bool IsPeriodical() const;
  // Writes the output record to a side file when it has 245 or 295.
  bool WriteSideRecord(TSideFile& side);

private:
  void ApplyRules();
  void ApplyFieldRules();
  void Route();
  bool HasTitle() const;

  TSideFile* periodicals_ = nullptr; // only when periodicals are separated
  TSideFile* weeded_ = nullptr;      // only when weeded records are separated
  std::unique_ptr<TKv21FieldRules> fieldRules_;
  std::unique_ptr<TKv21Identifiers> identifiers_;
  std::unique_ptr<TKv21CleanUps> cleanUps_;
  std::unique_ptr<TWeedingCriteria> weeding_;
};

} // namespace kelvo::sorvia_kv21
