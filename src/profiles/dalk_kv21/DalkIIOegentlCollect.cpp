#include "profiles/dalk_kv21/DalkIIOegentlCollect.h"

#include "record/vostr.h"

namespace kelvo::dalk_kv21 {

TDalkIIOegentlCollect::TDalkIIOegentlCollect(const std::string& inFileName, bool sourceIsIso,
                                             const std::string& terminator, THeadIndex& headIndex,
                                             TPartLists& partLists)
    : TMrc2KvBase(inFileName, sourceIsIso, terminator), HeadIndex(headIndex), PartLists(partLists) {}

TDalkIIOegentlCollect::~TDalkIIOegentlCollect() = default;

void TDalkIIOegentlCollect::ConvertNext() {
  TMrc2KvBase::ConvertNext();
  RecordKey = Field001Part(4, 7);
  RecordClass = MultiVolumeLevel();
  switch (RecordClass) {
  case TMultiVolumeLevel::Head: {
    const TMarcField* f260 = SourceRecord.FindFieldPtr("260");
    HeadCandidate = f260 && f260->Ind1 == '0';
    // A head without a number (its 001 shorter than four characters) could
    // not be told from the parts that have no link to any head: it collects
    // nothing, on purpose, rather than parts of some other record.
    if (HeadCandidate && !IsBlank(RecordKey) && !HeadIndex.contains(RecordKey)) {
      HeadIndex.emplace(RecordKey, static_cast<int>(PartLists.size()));
      PartLists.emplace_back();
    }
    break;
  }
  case TMultiVolumeLevel::Part: {
    const auto found = HeadIndex.find(CopyDef(PartLink(), 1, 7));
    if (found == HeadIndex.end()) break;
    std::string& parts = PartLists[static_cast<std::size_t>(found->second)];
    if (!IsBlank(parts) && !IsBlank(RecordKey)) parts += PartKeySeparator;
    parts += RecordKey;
    break;
  }
  case TMultiVolumeLevel::Other:
    break;
  }
}

} // namespace kelvo::dalk_kv21
