#include "profiles/sorvia_kv21/Mrc21ToKv21.h"

#include <string_view>

#include "profiles/sorvia_kv21/Kv21CleanUps.h"
#include "profiles/sorvia_kv21/Kv21FieldRules.h"
#include "profiles/sorvia_kv21/Kv21Identifiers.h"
#include "record/vostr.h"

namespace kelvo::sorvia_kv21 {

namespace {

// The field rules in the order they run; a rule with a tag runs on every
// field with that tag, in record order.
enum class TKv21Rule {
  IsbnCopy,
  RememberId,
  TakeOverId, // only with "keepold035handling"
  VoyagerId,
  Languages,
  FilingForm,
  MaterialDesignation,
  Year,
  MedicalSubject,
  LinkNumber,
  Scrapped,
  ShelfMark,   // only with "fld852cunconditionally"
  TidyIdFields // only with "keepold035handling"
};

struct TKv21RuleStep {
  TKv21Rule Rule;
  std::string_view Tag; // empty: the rule looks at the whole record
};

constexpr TKv21RuleStep kFieldRules[] = {
    {TKv21Rule::IsbnCopy, "020"},         {TKv21Rule::RememberId, ""},    {TKv21Rule::TakeOverId, ""},
    {TKv21Rule::VoyagerId, ""},           {TKv21Rule::Languages, "041"},  {TKv21Rule::FilingForm, "130"},
    {TKv21Rule::MaterialDesignation, ""}, {TKv21Rule::Year, "260"},       {TKv21Rule::FilingForm, "630"},
    {TKv21Rule::MedicalSubject, "650"},   {TKv21Rule::FilingForm, "730"}, {TKv21Rule::FilingForm, "740"},
    {TKv21Rule::LinkNumber, "760"},       {TKv21Rule::LinkNumber, "762"}, {TKv21Rule::Scrapped, ""},
    {TKv21Rule::ShelfMark, "852"},        {TKv21Rule::TidyIdFields, ""},
};

template <typename Fn> void ForEachField(TMarcRec& rec, std::string_view tag, Fn&& fn) {
  // By index: a rule may add fields to the record.
  for (std::size_t i = 0; i < rec.Fields.size(); ++i) {
    if (rec.Fields[i]->Tag == tag) fn(*rec.Fields[i]);
  }
}

constexpr std::string_view kStampTag = "592";

} // namespace

TMrc21ToKv21::TMrc21ToKv21(const std::string& outFileName, const std::string& inFileName,
                           const std::string& terminator, const std::vector<std::string>& filterLines,
                           bool sourceIsIso, bool separatePeriodicals, const std::string& periodicalsFile,
                           bool separateWeeded, const std::string& weededFile)
    : TKonvSimple(outFileName, inFileName, terminator), fieldRules_(std::make_unique<TKv21FieldRules>()),
      identifiers_(std::make_unique<TKv21Identifiers>()), cleanUps_(std::make_unique<TKv21CleanUps>()),
      weeding_(std::make_unique<TWeedingCriteria>()) {
  SourceIsIso = sourceIsIso;
  // Each side file asked for exists (empty) from the start of the run; one
  // that cannot be created stops the run before any record is read.
  if (separatePeriodicals) periodicals_ = &OpenSideFile(periodicalsFile, PeriodicalsRole);
  if (separateWeeded) weeded_ = &OpenSideFile(weededFile, WeededRole);
  OutRecord.SetFilter(JoinFilterLines(filterLines));
}

TMrc21ToKv21::~TMrc21ToKv21() = default;

void TMrc21ToKv21::ConvertNext() {
  TKonvSimple::ConvertNext();
  ParseRecordText(SourceRecord, SourceIsIso);
  for (const auto& field : SourceRecord.Fields)
    OutRecord.CopyField(*field);
  if (ConvertToKv2) ApplyRules();
  // The text after the last separator (empty, or a line end) is no record.
  if (!IsBlank(RecordText)) Route();
}

void TMrc21ToKv21::ApplyRules() {
  fieldRules_->StripTrailingPunctuation(OutRecord);
  ApplyFieldRules();
  BalanceBrackets(OutRecord);
  cleanUps_->Apply(*this);
  if (!IsBlank(ConversionLabel)) AddStampField(ConversionLabel, kStampTag);
  OutRecord.SortFields();
}

void TMrc21ToKv21::ApplyFieldRules() {
  TMarcRec& rec = OutRecord;
  TKv21FieldRules& rules = *fieldRules_;
  for (const TKv21RuleStep& step : kFieldRules) {
    switch (step.Rule) {
    case TKv21Rule::IsbnCopy:
      ForEachField(rec, step.Tag, [&](TMarcField& f) { rules.AddIsbnCopy(f); });
      break;
    case TKv21Rule::RememberId:
      identifiers_->RememberId(rec);
      break;
    case TKv21Rule::TakeOverId:
      if (KeepOld035Handling) identifiers_->TakeOverId(rec, VoyagerIdKeep);
      break;
    case TKv21Rule::VoyagerId:
      identifiers_->AddVoyagerId(rec);
      break;
    case TKv21Rule::Languages:
      ForEachField(rec, step.Tag, TKv21FieldRules::SplitLanguages);
      break;
    case TKv21Rule::FilingForm:
      ForEachField(rec, step.Tag, TKv21FieldRules::AddFilingForm);
      break;
    case TKv21Rule::MaterialDesignation:
      rules.MaterialDesignation(rec);
      break;
    case TKv21Rule::Year:
      ForEachField(rec, step.Tag, [&](TMarcField& f) { rules.AddYear(f); });
      break;
    case TKv21Rule::MedicalSubject:
      ForEachField(rec, step.Tag, TKv21FieldRules::MedicalSubject);
      break;
    case TKv21Rule::LinkNumber:
      ForEachField(rec, step.Tag, TKv21FieldRules::LinkNumber);
      break;
    case TKv21Rule::Scrapped:
      weeding_->Set(WeedingCriteria);
      TKv21FieldRules::MarkScrapped(rec, *weeding_);
      break;
    case TKv21Rule::ShelfMark:
      if (Fld852cUnconditionally) ForEachField(rec, step.Tag, TKv21FieldRules::ShelfMarkToC);
      break;
    case TKv21Rule::TidyIdFields:
      if (KeepOld035Handling) identifiers_->TidyIdFields(rec);
      break;
    }
  }
}

bool TMrc21ToKv21::HasTitle() const {
  return OutRecord.FindFieldPtr("245") != nullptr || OutRecord.FindFieldPtr("295") != nullptr;
}

bool TMrc21ToKv21::IsWeeded() {
  weeding_->Set(WeedingCriteria);
  return weeding_->AnyCopyWeeded(OutRecord);
}

bool TMrc21ToKv21::IsPeriodical() const { return LeaderChar(OutRecord, 7) == 's'; }

bool TMrc21ToKv21::WriteSideRecord(TSideFile& side) {
  if (!HasTitle()) return false;
  WriteRenderedTo(side);
  return true;
}

void TMrc21ToKv21::Route() {
  // A weeded periodical goes to the weeded records.
  if (weeded_ && IsWeeded()) {
    if (WriteSideRecord(*weeded_)) return;
  } else if (periodicals_ && IsPeriodical()) {
    if (WriteSideRecord(*periodicals_)) return;
  } else if (HasTitle()) {
    WriteRecord();
    return;
  }
  ++DroppedRecords;
}

} // namespace kelvo::sorvia_kv21
