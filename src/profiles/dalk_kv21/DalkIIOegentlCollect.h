#pragma once
// The first pass of the two-pass vendor run: reads the input once and notes,
// for every multi-volume head whose first 260 has Ind1 "0", the keys of its
// part records in input order. It writes nothing.
#include <cstdint>
#include <string>
#include <vector>

#include "profiles/dalk_kv21/DalkPartIndex.h"
#include "profiles/dalk_kv21/Mrc2KvBase.h"

namespace kelvo::dalk_kv21 {

class TDalkIIOegentlCollect : public TMrc2KvBase {
public:
  // The lists are borrowed and filled record by record.
  TDalkIIOegentlCollect(const std::string& inFileName, bool sourceIsIso, const std::string& terminator,
                        THeadIndex& headIndex, TPartLists& partLists);
  ~TDalkIIOegentlCollect() override;

  THeadIndex& HeadIndex;
  TPartLists& PartLists;
  // This record's class.
  TMultiVolumeLevel RecordClass = TMultiVolumeLevel::Other;
  // The current head has a 260 whose Ind1 is "0".
  bool HeadCandidate = false;
  // Characters 4-10 of the current record's 001.
  std::string RecordKey;

  void ConvertNext() override;
  std::vector<TRunCount> RunCounts() const override { return {}; }
};

} // namespace kelvo::dalk_kv21
