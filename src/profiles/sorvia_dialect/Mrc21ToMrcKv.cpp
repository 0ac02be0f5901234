// The record flow of profile 0: read, convert, clean up, stamp, sort, and
// route each record to the output or to a side file.
#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"

#include "profiles/sorvia_dialect/DialectCleanUp.h"
#include "profiles/sorvia_dialect/DialectHelpers.h"
#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

namespace {

bool HasTitle(const TMarcRec& rec) {
  return rec.FindFieldPtr("245") != nullptr || rec.FindFieldPtr("295") != nullptr;
}

} // namespace

TMrc21ToMrcKv::TMrc21ToMrcKv(const std::string& outFileName, const std::string& inFileName,
                             const std::string& terminator, const std::vector<std::string>& filterLines,
                             bool sourceIsIso, bool separatePeriodicals, const std::string& periodicalsFile,
                             bool separateWeeded, const std::string& weededFile)
    : TKonvSimple(outFileName, inFileName, terminator), filterLines_(filterLines),
      separatePeriodicals_(separatePeriodicals), periodicalsFile_(periodicalsFile),
      separateWeeded_(separateWeeded), weededFile_(weededFile) {
  SourceIsIso = sourceIsIso;
  // Both exist from the start of the run; the output's BeginOutput checks
  // that neither is another file of the run.
  if (separatePeriodicals_) periodicals_ = &OpenSideFile(periodicalsFile_, PeriodicalsRole);
  if (separateWeeded_) weeded_ = &OpenSideFile(weededFile_, WeededRole);
  OutRecord.SetFilter(JoinFilterLines(filterLines_));
}

TMrc21ToMrcKv::~TMrc21ToMrcKv() = default;

void TMrc21ToMrcKv::ConvertNext() {
  TKonvSimple::ConvertNext();
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
    FinalCleanUp();
    OutRecord.SortFields();
  } else {
    for (const auto& field : SourceRecord.Fields)
      OutRecord.CopyField(*field);
  }
  RouteRecord();
}

void TMrc21ToMrcKv::RouteRecord() {
  // Side files take the same records as the output: those with a title.
  if (!HasTitle(OutRecord)) {
    ++DroppedRecords;
    return;
  }
  if (weeded_ && IsWeeded()) {
    WriteSideRecord(*weeded_);
  } else if (periodicals_ && IsPeriodical()) {
    WriteSideRecord(*periodicals_);
  } else {
    WriteRecord();
  }
}

void TMrc21ToMrcKv::WriteSideRecord(TSideFile& side) { WriteRenderedTo(side); }

bool TMrc21ToMrcKv::IsWeeded() const {
  std::string criteria;
  for (const auto& field : OutRecord.Fields) {
    if (field->Tag != "096" || !field->HasSubfield('s')) continue;
    if (criteria.empty()) criteria = LowerCase(WeedingCriteria);
    const std::string code = LowerCase(FirstSubfieldText(*field, 's'));
    // Items are compared as written, untrimmed; a blank rest ends the list.
    std::string rest = criteria;
    while (!IsBlank(rest))
      if (NextToken(rest, '|') == code) return true;
  }
  return false;
}

bool TMrc21ToMrcKv::IsPeriodical() const {
  const TMarcField* leader = OutRecord.FindFieldPtr("000");
  return leader != nullptr && leader->Data.size() > 3 && leader->Data[3] == 'g';
}

} // namespace kelvo::sorvia_dialect
