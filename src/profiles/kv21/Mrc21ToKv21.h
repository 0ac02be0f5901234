#pragma once
// Profile 1 ("SorvM21/KV2/Marc21"): MARC21 to Kelvo 2.1.
#include <memory>
#include <string>
#include <vector>

#include "convert/KonvSimple.h"
#include "record/VoFileOutStream.h"

namespace kelvo {

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

  void ConvertNext() override;
  std::vector<TRunCount> RunCounts() const override;

private:
  const std::vector<std::string>& filterLines_;
  bool sourceIsIso_;
  bool separatePeriodicals_;
  std::string periodicalsFile_;
  bool separateWeeded_;
  std::string weededFile_;
  std::unique_ptr<TVoFileOutStream> periodicalsStream_;
  std::unique_ptr<TVoFileOutStream> weededStream_;
};

} // namespace kelvo
