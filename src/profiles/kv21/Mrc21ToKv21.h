#pragma once
// Profile 1 ("SorvM21/KV2/Marc21"): MARC21 to Kelvo 2.1.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "convert/KonvSimple.h"
#include "record/VoFileOutStream.h"

namespace kelvo {

class TKv21FieldRules;
class TKv21Identifiers;
class TKv21CleanUps;
class TWeedingCriteria;

class TMrc21ToKv21 : public TKonvSimple {
public:
  // Side files are created (truncated) here; one that cannot be created
  // raises MarcError naming the file.
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

  // Records written to the side files.
  std::int64_t PeriodicalRecords = 0;
  std::int64_t WeededRecords = 0;

  // Reads, converts and routes one record. When the input is exhausted the
  // side files are closed, so that a failed write to them is reported.
  void ConvertNext() override;
  std::vector<TRunCount> RunCounts() const override;

  // Tests on the output record that decide where it goes.
  bool IsWeeded();
  bool IsPeriodical() const;
  // Writes the output record to a side file when it has 245 or 295.
  bool WriteSideRecord(TVoFileOutStream& stream);

private:
  void ApplyRules();
  void ApplyFieldRules();
  void Route();
  bool HasTitle() const;

  std::unique_ptr<TVoFileOutStream> periodicalsStream_; // only when periodicals are separated
  std::unique_ptr<TVoFileOutStream> weededStream_;      // only when weeded records are separated
  std::unique_ptr<TKv21FieldRules> fieldRules_;
  std::unique_ptr<TKv21Identifiers> identifiers_;
  std::unique_ptr<TKv21CleanUps> cleanUps_;
  std::unique_ptr<TWeedingCriteria> weeding_;
};

} // namespace kelvo
