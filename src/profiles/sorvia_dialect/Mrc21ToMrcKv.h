#pragma once
// Profile 0 ("SorvM21/KV2/Sorvia"): MARC21 to the Kelvo dialect.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "convert/KonvSimple.h"
#include "profiles/sorvia_dialect/TagIndex.h"

namespace kelvo::sorvia_dialect {

class TMrc21ToMrcKv : public TKonvSimple {
public:
  // Side files are opened here like the output (emptied when the output
  // begins); one that cannot be opened raises MarcError naming the file.
  TMrc21ToMrcKv(const std::string& outFileName, const std::string& inFileName, const std::string& terminator,
                const std::vector<std::string>& filterLines, bool sourceIsIso, bool separatePeriodicals,
                const std::string& periodicalsFile, bool separateWeeded, const std::string& weededFile);
  ~TMrc21ToMrcKv() override;

  TMarcRec SourceRecord;
  bool ConvertToKv2 = true;
  std::string ConversionLabel;
  std::string WeedingCriteria = "Utgallr|Gallr|U";

  void ConvertNext() override;

  // The rule sequence: builds OutRecord from SourceRecord.
  void ConvertFields();
  // SourceRecord's fields by tag, for the rules; built by ConvertFields.
  const TTagIndex& SourceTags() const { return sourceTags_; }
  // Routing tests on OutRecord.
  bool IsWeeded() const;
  bool IsPeriodical() const;

private:
  void FinalCleanUp();
  void RouteRecord();
  void WriteSideRecord(TSideFile& side);

  const std::vector<std::string>& filterLines_;
  bool separatePeriodicals_;
  std::string periodicalsFile_;
  bool separateWeeded_;
  std::string weededFile_;
  TSideFile* periodicals_ = nullptr;
  TSideFile* weeded_ = nullptr;
  TTagIndex sourceTags_;
};

} // namespace kelvo::sorvia_dialect
