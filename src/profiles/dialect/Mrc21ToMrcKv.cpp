// The record flow of profile 0: read, convert, clean up, stamp, sort, and
// route each record to the output or to a side file.
#include "profiles/dialect/Mrc21ToMrcKv.h"

#include <filesystem>
#include <system_error>

#include "profiles/dialect/DialectCleanUp.h"
#include "profiles/dialect/DialectHelpers.h"
#include "record/MarcError.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

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
  // A side file that cannot be created would swallow every record routed to
  // it, and one that is the input or another output would destroy records:
  // both stop the run before the first record is read.
  auto createSideFile = [&](const std::string& fileName, const char* what) {
    if (SameFile(fileName, inFileName) || SameFile(fileName, outFileName))
      throw MarcError(std::string("Filen f\xf6r ") + what +
                      " f\xe5r inte vara indatafilen eller utfilen: " + fileName);
    try {
      return std::make_unique<TVoFileOutStream>(fileName);
    } catch (const MarcError&) {
      throw MarcError(std::string("Kan inte skapa filen f\xf6r ") + what + ": " + fileName);
    }
  };
  if (separatePeriodicals_) periodicalsStream_ = createSideFile(periodicalsFile_, "periodika");
  if (separateWeeded_) {
    if (separatePeriodicals_ && SameFile(weededFile_, periodicalsFile_))
      throw MarcError("Filerna f\xf6r periodika och utgallrade poster \xe4r samma fil: " + weededFile_);
    weededStream_ = createSideFile(weededFile_, "utgallrade poster");
  }
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
    dialect::CleanSubfieldEndings(OutRecord);
    dialect::StripPlusEndings(OutRecord);
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
  if (weededStream_ && IsWeeded()) {
    WriteSideRecord(*weededStream_);
    ++weededCount_;
  } else if (periodicalsStream_ && IsPeriodical()) {
    WriteSideRecord(*periodicalsStream_);
    ++periodicalsCount_;
  } else {
    WriteRecord();
  }
}

void TMrc21ToMrcKv::WriteSideRecord(TVoFileOutStream& stream) { WriteRenderedTo(stream); }

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

std::vector<TRunCount> TMrc21ToMrcKv::RunCounts() const {
  std::vector<TRunCount> counts = TKonvSimple::RunCounts();
  if (separatePeriodicals_) counts.push_back({"Periodika", periodicalsFile_, periodicalsCount_});
  if (separateWeeded_) counts.push_back({"Utgallrade", weededFile_, weededCount_});
  return counts;
}

} // namespace kelvo
