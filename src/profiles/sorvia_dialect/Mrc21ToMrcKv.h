#pragma once
// Profile 0 ("SorvM21/KV2/Sorvia"): MARC21 to the Kelvo dialect.
#include <memory>
#include <string>
#include <vector>

#include "convert/KonvSimple.h"
#include "profiles/common/Routing.h"
#include "profiles/common/TagIndex.h"

namespace kelvo::sorvia_dialect {

struct TDialectPatterns;

class TMrc21ToMrcKv : public TKonvSimple {
public:
  // Side files are opened here like the output (emptied when the output
  // begins); one that cannot be opened raises MarcError naming the file.
  TMrc21ToMrcKv(const std::string& outFileName, const std::string& inFileName, const std::string& terminator,
                const std::vector<std::string>& filterLines, bool sourceIsIso, bool separatePeriodicals,
                const std::string& periodicalsFile, bool separateWeeded, const std::string& weededFile);
  ~TMrc21ToMrcKv() override;

  std::string WeedingCriteria = "Utgallr|Gallr|U";

  void ConvertNext() override { ReadAndConvert(); }

  // The rule sequence: builds OutRecord from SourceRecord.
  void ConvertFields();
  // SourceRecord's fields by tag, for the rules; built by ConvertFields.
  const common::TTagIndex& SourceTags() const { return sourceTags_; }
  // Where OutRecord goes: not written without a title, else a weeded record
  // (a copy 096 $s among WeedingCriteria) or a periodical (leader/03 "g") to
  // its side file when that is asked for, else the output.
  TRoute Route();

protected:
  void ConvertRecord() override;
  std::unique_ptr<TKonvSimple> NewWorker() const override;

private:
  explicit TMrc21ToMrcKv(TWorkerOf worker);

  std::unique_ptr<TDialectPatterns> patterns_;
  common::TWeeding weeding_{"096", 's'};
  common::TTagIndex sourceTags_;
};

// The output leader's level says periodical.
bool IsPeriodical(const TMarcRec& out);

} // namespace kelvo::sorvia_dialect
