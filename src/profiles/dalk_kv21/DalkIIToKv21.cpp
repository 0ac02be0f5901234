#include "profiles/dalk_kv21/DalkIIToKv21.h"

#include <array>

#include "profiles/common/Routing.h"
#include "profiles/dalk_kv21/DalkRules.h"
#include "profiles/dalk_kv21/DalkTranslate.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "record/MarcError.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

const TLocalAdaptation& EmptyAdaptation() {
  static const TLocalAdaptation empty;
  return empty;
}

} // namespace

TDalkIIToKv21::TDalkIIToKv21(const std::string& outFileName, const std::string& inFileName,
                             const std::string& terminator, const std::vector<std::string>& filterLines,
                             bool sourceIsIso, bool separatePeriodicals, const std::string& periodicalsFile,
                             bool separateWeeded, const std::string& weededFile)
    : TMrc2KvBase(outFileName, inFileName, terminator, filterLines, sourceIsIso, separatePeriodicals,
                  periodicalsFile, separateWeeded, weededFile),
      localAdaptation_(&EmptyAdaptation()), patterns_(std::make_unique<TDalkPatterns>()) {
  // Unlike the other profiles the values are written untrimmed.
  TrimBeforeRendering = false;
  AdaptsRenderedText = true;
}

TDalkIIToKv21::~TDalkIIToKv21() = default;

void TDalkIIToKv21::OpenMultiVolumeFile(const std::string& fileName) {
  if (multiVolume_) throw MarcError("Filen f\xf6r flerbandsverk \xe4r redan \xf6ppnad");
  multiVolume_ = &OpenSideFile(fileName, MultiVolumeRole);
}

void TDalkIIToKv21::ClassifyRecord() {
  RecordClass = MultiVolumeLevel();
  partLink_ = RecordClass == TMultiVolumeLevel::Part ? PartLink() : std::string();
  if (RecordClass != TMultiVolumeLevel::Head) return;

  HeadId = Field001Part(4, INT32_MAX);
  HeadKind = THeadKind::Proper;
  if (!LocalAdaptation().IsImproperObjectType(ObjectType())) return;
  if (const TMarcField* f260 = SourceRecord.FindFieldPtr("260"); f260 && f260->Ind1 == '0')
    HeadKind = THeadKind::Improper;
}

bool TDalkIIToKv21::GoesToMultiVolumeFile() const {
  return HeadKind == THeadKind::Proper && (RecordClass == TMultiVolumeLevel::Head ||
                                           (RecordClass == TMultiVolumeLevel::Part && partLink_ == HeadId));
}

bool TDalkIIToKv21::PartOfImproperHead() const {
  return RecordClass == TMultiVolumeLevel::Part && HeadKind == THeadKind::Improper && partLink_ == HeadId;
}

void TDalkIIToKv21::ConvertNext() {
  TMrc2KvBase::ConvertNext();
  // The blank piece after the last separator is no record.
  if (IsBlank(RecordText)) return;
  if (SourceRecord.FieldCount() > 0) {
    if (TranslateDiacritics) SourceRecord.ReplaceChar('$', DalkMarker);
    if (!ConvertToKv2) {
      CopyAllFields();
    } else {
      ClassifyRecord();
      // A record for the multi-volume file is written as it was read (the
      // route does not look at the output before that): converting it would
      // be thrown away.
      const bool writtenAsRead = Route().Destination == TDestination::MultiVolume;
      if (!writtenAsRead && !PartOfImproperHead()) ConvertFields();
      if (OnlyImproperHeads && RecordClass == TMultiVolumeLevel::Head && HeadKind == THeadKind::Improper)
        AddCollectedPartNumbers();
    }
    OutRecord.SortFieldsStable();
  }
  Deliver(Route(), SourceRecord);
}

TRoute TDalkIIToKv21::Route() const {
  using TRule = common::TRouteRule<TDalkIIToKv21>;
  static constexpr std::array<TRule, 5> Rules{{
      {[](const TDalkIIToKv21& kv) { return kv.SourceRecord.FieldCount() == 0; },
       {TDestination::NotWritten, reason::Unreadable}},
      // Its number goes into the head (the two-pass run), or it is left out.
      {[](const TDalkIIToKv21& kv) { return kv.ConvertToKv2 && kv.PartOfImproperHead(); },
       {TDestination::NotWritten, reason::PartOfImproperWork}},
      {[](const TDalkIIToKv21& kv) {
         return kv.ConvertToKv2 && kv.OnlyImproperHeads &&
                !(kv.RecordClass == TMultiVolumeLevel::Head && kv.HeadKind == THeadKind::Improper);
       },
       {TDestination::NotWritten, reason::NotAnImproperHead}},
      {[](const TDalkIIToKv21& kv) { return kv.SeparateProperWorks && kv.GoesToMultiVolumeFile(); },
       {TDestination::MultiVolume}},
      {[](const TDalkIIToKv21& kv) { return !common::HasTitle(kv.OutRecord); },
       {TDestination::NotWritten, reason::NoTitle}},
  }};
  return common::RouteRecord<TDalkIIToKv21>(Rules, *this);
}

void TDalkIIToKv21::AddCollectedPartNumbers() {
  if (!HeadIndex || !PartLists) return;
  const auto found = HeadIndex->find(OutRecord.FieldData("001"));
  if (found == HeadIndex->end()) return;
  std::string_view parts = PartLists->at(static_cast<std::size_t>(found->second));
  while (!parts.empty()) {
    const std::size_t end = parts.find(PartKeySeparator);
    const std::string_view key = parts.substr(0, end);
    if (!IsBlank(key)) OutRecord.AddField("029", '6', '1')->AddSubfield('a', key);
    parts.remove_prefix(end == std::string_view::npos ? parts.size() : end + 1);
  }
}

void TDalkIIToKv21::AdaptRenderedText(std::string& text) {
  if (TranslateDiacritics) text = TranslateText(std::move(text));
}

// The vendor record as it was read, untranslated (the markers stay).
void TDalkIIToKv21::WriteSideRecord(TSideFile& side) {
  textBuffer_.clear();
  SourceRecord.AppendText(textBuffer_);
  textBuffer_ += RecordSeparator;
  WriteTo(side, textBuffer_);
}

std::string TDalkIIToKv21::RenderFor(TDestination destination) {
  if (destination == TDestination::Output) return RenderOutRecord();
  std::string text;
  SourceRecord.AppendText(text);
  return text;
}

} // namespace kelvo::dalk_kv21
