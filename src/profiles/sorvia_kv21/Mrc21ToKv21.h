#pragma once
// Profile 1 ("SorvM21/KV2/Marc21"): MARC21 to Kelvo 2.1.
#include <memory>
#include <string>
#include <vector>

#include "convert/KonvSimple.h"
#include "profiles/common/Routing.h"
#include "profiles/common/TagIndex.h"

namespace kelvo::sorvia_kv21 {

class TKv21FieldRules;
class TKv21Identifiers;
struct TKv21CleanUpPatterns;

class TMrc21ToKv21 : public TKonvSimple {
public:
  // Side files are opened here like the output (emptied when the output
  // begins); one that cannot be opened raises MarcError naming the file.
  TMrc21ToKv21(const std::string& outFileName, const std::string& inFileName, const std::string& terminator,
               const std::vector<std::string>& filterLines, bool sourceIsIso, bool separatePeriodicals,
               const std::string& periodicalsFile, bool separateWeeded, const std::string& weededFile);
  ~TMrc21ToKv21() override;

  std::string WeedingCriteria = "Utgallr|Gallr|U";
  // Options of the settings section "kv2m21spec"
  bool Fld852cUnconditionally = false;
  bool VoyagerIdKeep = false;
  bool KeepOld035Handling = false;

  // Reads, converts and routes one record.
  void ConvertNext() override { ReadAndConvert(); }
  // Where OutRecord goes: not written without a 245 or 295, else a weeded
  // record (a copy 852 $i among WeedingCriteria) or a periodical (leader/07
  // "s") to its side file when that is asked for, else the output.
  TRoute Route();

protected:
  void ConvertRecord() override;
  std::unique_ptr<TKonvSimple> NewWorker() const override;

private:
  explicit TMrc21ToKv21(TWorkerOf worker);
  void ApplyRules();

  std::unique_ptr<TKv21FieldRules> fieldRules_;
  std::unique_ptr<TKv21Identifiers> identifiers_;
  std::unique_ptr<TKv21CleanUpPatterns> cleanUps_;
  common::TWeeding weeding_{"852", 'i'};
  common::TTagIndex sourceTags_; // the rules read the output record only
};

// The leader's level says serial.
bool IsPeriodical(const TMarcRec& out);

} // namespace kelvo::sorvia_kv21
