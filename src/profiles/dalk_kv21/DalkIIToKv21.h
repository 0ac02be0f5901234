#pragma once
// Profile 2 ("DalkII/KV2/Marc21"): one vendor record per call into a Kelvo
// 2.1 record. Besides the field rules it knows multi-volume works: the parts
// of an improper work are suppressed, a proper work can go unconverted to
// "flerband.txt", and in the two-pass run only improper heads are written,
// carrying their parts' numbers.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/common/TagIndex.h"
#include "profiles/dalk_kv21/DalkPartIndex.h"
#include "profiles/dalk_kv21/Mrc2KvBase.h"

namespace kelvo::dalk_kv21 {

class TLocalAdaptation;
struct TDalkPatterns;

inline constexpr std::string_view MultiVolumeFileName = "flerband.txt";

class TDalkIIToKv21 : public TMrc2KvBase {
public:
  TDalkIIToKv21(const std::string& outFileName, const std::string& inFileName, const std::string& terminator,
                const std::vector<std::string>& filterLines, bool sourceIsIso, bool separatePeriodicals,
                const std::string& periodicalsFile, bool separateWeeded, const std::string& weededFile);
  ~TDalkIIToKv21() override;

  bool SeparateProperWorks = false;
  bool TranslateDiacritics = false;
  bool OnlyImproperHeads = false;
  // 001 of the latest head from its 4th character on.
  std::string HeadId;
  // This record's class.
  TMultiVolumeLevel RecordClass = TMultiVolumeLevel::Other;
  // The latest head.
  enum class THeadKind : std::uint8_t { None, Proper, Improper };
  THeadKind HeadKind = THeadKind::None;
  // Lines of "mediekoder.txt" (borrowed); no rule consults them.
  const std::vector<std::string>* MediaCodeLines = nullptr;
  // From the collect pass (borrowed); read only when OnlyImproperHeads.
  const THeadIndex* HeadIndex = nullptr;
  const TPartLists* PartLists = nullptr;

  // The adaptation is borrowed and must outlive the converter; until one is
  // set the converter uses an empty one.
  void SetLocalAdaptation(const TLocalAdaptation& adaptation) { localAdaptation_ = &adaptation; }
  const TLocalAdaptation& LocalAdaptation() const { return *localAdaptation_; }
  // Opens "flerband.txt" or another file for proper works, once, like the
  // output (emptied when the output begins).
  void OpenMultiVolumeFile(const std::string& fileName);

  void ConvertNext() override;
  // Where the record just converted goes (routing), and why not when it is
  // not written.
  TRoute Route() const;

  // The record belongs to a proper work whose records go to "flerband.txt".
  bool GoesToMultiVolumeFile() const;
  std::int64_t MultiVolumeRecords() const { return multiVolume_ ? multiVolume_->Records : 0; }

  // The field rules in their fixed order (defined in DalkRuleOrder.cpp):
  // SourceRecord into OutRecord.
  void ConvertFields();

  // The multi-volume file's text is the vendor record as it was read.
  std::string RenderFor(TDestination destination) override;

protected:
  // The multi-volume file takes the vendor record as it was read.
  void WriteSideRecord(TSideFile& side) override;
  // The rendering is translated before the variants see it.
  void AdaptRenderedText(std::string& text) override;

private:
  void ClassifyRecord();
  // Adds 029 "6" "1" $a for every part that the collect pass found for this head.
  void AddCollectedPartNumbers();
  bool PartOfImproperHead() const;

  const TLocalAdaptation* localAdaptation_;
  std::string partLink_; // of the current record
  TSideFile* multiVolume_ = nullptr;
  std::unique_ptr<TDalkPatterns> patterns_;
  common::TTagIndex sourceTags_;
};

} // namespace kelvo::dalk_kv21
