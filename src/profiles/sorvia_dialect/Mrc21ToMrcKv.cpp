// The record flow of profile 0: read, convert, clean up, stamp, sort, and
// route each record to the output or to a side file.
#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"

#include "profiles/sorvia_dialect/DialectCleanUp.h"
#include "profiles/sorvia_dialect/DialectRules.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

TMrc21ToMrcKv::TMrc21ToMrcKv(const std::string& outFileName, const std::string& inFileName,
                             const std::string& terminator, const std::vector<std::string>& filterLines,
                             bool sourceIsIso, bool separatePeriodicals, const std::string& periodicalsFile,
                             bool separateWeeded, const std::string& weededFile)
    : TKonvSimple(outFileName, inFileName, terminator), patterns_(std::make_unique<TDialectPatterns>()) {
  SourceIsIso = sourceIsIso;
  // Both exist from the start of the run; the output's BeginOutput checks
  // that neither is another file of the run.
  if (separatePeriodicals) OpenSideFile(periodicalsFile, PeriodicalsRole);
  if (separateWeeded) OpenSideFile(weededFile, WeededRole);
  OutRecord.SetFilter(JoinFilterLines(filterLines));
}

TMrc21ToMrcKv::TMrc21ToMrcKv(TWorkerOf worker)
    : TKonvSimple(worker), patterns_(std::make_unique<TDialectPatterns>()) {
  const auto& master = static_cast<const TMrc21ToMrcKv&>(worker.Master);
  WeedingCriteria = master.WeedingCriteria;
}

TMrc21ToMrcKv::~TMrc21ToMrcKv() = default;

std::unique_ptr<TKonvSimple> TMrc21ToMrcKv::NewWorker() const {
  return std::unique_ptr<TKonvSimple>(new TMrc21ToMrcKv(TWorkerOf{*this}));
}

void TMrc21ToMrcKv::ConvertRecord() {
  SourceRecord.Clear();
  OutRecord.Clear();
  // The blank piece after the input's last separator is no record.
  if (IsBlank(RecordText)) return;
  ParseRecordText(SourceRecord, SourceIsIso);

  if (ConvertToKv2) {
    ConvertFields();
    CleanSubfieldEndings(OutRecord);
    StripPlusEndings(OutRecord);
    if (!IsBlank(ConversionLabel)) AddStampField(ConversionLabel, "522");
    FinalCleanUp(OutRecord, *patterns_);
    OutRecord.SortFields();
  } else {
    TakeSourceAsOutput();
  }
  Deliver(Route(), SourceRecord);
}

TRoute TMrc21ToMrcKv::Route() {
  weeding_.SetCriteria(WeedingCriteria);
  return common::RouteToSideFiles({OutRecord, HasSideFile(TDestination::Weeded) ? &weeding_ : nullptr,
                                   HasSideFile(TDestination::Periodicals) ? &IsPeriodical : nullptr});
}

bool IsPeriodical(const TMarcRec& out) {
  const TMarcField* leader = out.FindFieldPtr("000");
  return leader != nullptr && leader->Data.size() > 3 && leader->Data[3] == 'g';
}

} // namespace kelvo::sorvia_dialect
