#pragma once
// Profile 0 ("SorvM21/KV2/Sorvia"): MARC21 to the Kelvo dialect.
#include <memory>
#include <string>
#include <vector>

#include "convert/KonvSimple.h"

namespace kelvo {

class TMrc21ToMrcKv : public TKonvSimple {
public:
  // Side files are created (truncated) here; one that cannot be created
  // raises MarcError naming the file.
  TMrc21ToMrcKv(const std::string& outFileName, const std::string& inFileName, const std::string& terminator,
                const std::vector<std::string>& filterLines, bool sourceIsIso, bool separatePeriodicals,
                const std::string& periodicalsFile, bool separateWeeded, const std::string& weededFile);
  ~TMrc21ToMrcKv() override;

  TMarcRec SourceRecord;
  bool ConvertToKv2 = true;
  std::string ConversionLabel;
  std::string WeedingCriteria = "Utgallr|Gallr|U";

  void ConvertNext() override;
  std::vector<TRunCount> RunCounts() const override;
};

} // namespace kelvo
