#include "profiles/dalk_kv21/DalkIIToKv21.h"

#include "profiles/dalk_kv21/DalkTranslate.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "record/LineFormat.h"
#include "record/MarcError.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

const TLocalAdaptation& EmptyAdaptation() {
  static const TLocalAdaptation empty;
  return empty;
}

constexpr std::uint8_t ClassOther = 0, ClassHead = 1, ClassPart = 2;
constexpr std::uint8_t KindProper = 1, KindImproper = 2; // HeadKind 0: no head seen yet

} // namespace

TDalkIIToKv21::TDalkIIToKv21(const std::string& outFileName, const std::string& inFileName,
                             const std::string& terminator, const std::vector<std::string>& filterLines,
                             bool sourceIsIso, bool separatePeriodicals, const std::string& periodicalsFile,
                             bool separateWeeded, const std::string& weededFile)
    : TMrc2KvBase(outFileName, inFileName, terminator, filterLines, sourceIsIso, separatePeriodicals,
                  periodicalsFile, separateWeeded, weededFile),
      localAdaptation_(&EmptyAdaptation()) {}

TDalkIIToKv21::~TDalkIIToKv21() = default;

void TDalkIIToKv21::OpenMultiVolumeFile(const std::string& fileName) {
  if (multiVolume_) throw MarcError("Filen f\xf6r flerbandsverk \xe4r redan \xf6ppnad");
  multiVolume_ = &OpenSideFile(fileName, MultiVolumeRole);
}

void TDalkIIToKv21::ClassifyRecord() {
  switch (MultiVolumeLevel()) {
  case TMultiVolumeLevel::Head:
    RecordClass = ClassHead;
    break;
  case TMultiVolumeLevel::Part:
    RecordClass = ClassPart;
    break;
  case TMultiVolumeLevel::Other:
    RecordClass = ClassOther;
    break;
  }
  partLink_ = RecordClass == ClassPart ? PartLink() : std::string();
  if (RecordClass != ClassHead) return;

  HeadId = Field001Part(4, INT32_MAX);
  HeadKind = KindProper;
  if (!LocalAdaptation().IsImproperObjectType(ObjectType())) return;
  if (const TMarcField* f260 = SourceRecord.FindFieldPtr("260"); f260 && f260->Ind1 == '0')
    HeadKind = KindImproper;
}

bool TDalkIIToKv21::GoesToMultiVolumeFile() const {
  return HeadKind == KindProper &&
         (RecordClass == ClassHead || (RecordClass == ClassPart && partLink_ == HeadId));
}

void TDalkIIToKv21::ConvertNext() {
  TMrc2KvBase::ConvertNext();
  // The blank piece after the last separator is no record; text that holds
  // no field is one, written nowhere.
  if (IsBlank(RecordText)) return;
  if (SourceRecord.FieldCount() == 0) {
    ++DroppedRecords;
    return;
  }
  bool write = true;
  if (TranslateDiacritics) SourceRecord.ReplaceChar('$', DalkMarker);
  if (ConvertToKv2) {
    ClassifyRecord();
    const bool partOfImproperHead =
        RecordClass == ClassPart && HeadKind == KindImproper && partLink_ == HeadId;
    if (partOfImproperHead) {
      write = false;
    } else {
      ConvertFields();
      if (OnlyImproperHeads) {
        if (RecordClass == ClassHead && HeadKind == KindImproper)
          AddCollectedPartNumbers();
        else
          write = false;
      }
    }
  } else {
    CopyAllFields();
  }
  OutRecord.SortFieldsStable();

  if (!write)
    ++DroppedRecords;
  else if (SeparateProperWorks && GoesToMultiVolumeFile())
    WriteToMultiVolumeFile();
  else
    WriteRecord();
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

void TDalkIIToKv21::WriteRecord() {
  if (!OutRecord.FindFieldPtr("245") && !OutRecord.FindFieldPtr("295")) {
    ++DroppedRecords;
    return;
  }
  // Unlike the other profiles the values are not trimmed here, and the text
  // is translated before the variants see it.
  textBuffer_.clear();
  OutRecord.AppendText(textBuffer_);
  if (TranslateDiacritics) textBuffer_ = TranslateText(std::move(textBuffer_));
  if (RemoveDuplicateLines) {
    variantBuffer_.clear();
    AppendWithoutDuplicateLines(variantBuffer_, textBuffer_);
    textBuffer_.swap(variantBuffer_);
  }
  if (SubfieldLines) {
    variantBuffer_.clear();
    AppendSubfieldLines(variantBuffer_, textBuffer_, OutRecord.SubfieldDelimiter);
    textBuffer_.swap(variantBuffer_);
  }
  textBuffer_ += RecordSeparator;
  WriteToOutFile(textBuffer_);
}

// The vendor record as it was read, untranslated (the markers stay).
void TDalkIIToKv21::WriteToMultiVolumeFile() {
  if (!multiVolume_) throw MarcError("Filen f\xf6r flerbandsverk \xe4r inte \xf6ppnad");
  textBuffer_.clear();
  SourceRecord.AppendText(textBuffer_);
  textBuffer_ += RecordSeparator;
  WriteTo(*multiVolume_, textBuffer_);
}

} // namespace kelvo::dalk_kv21
