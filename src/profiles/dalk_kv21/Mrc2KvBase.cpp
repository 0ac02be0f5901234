#include "profiles/dalk_kv21/Mrc2KvBase.h"

#include "convert/FilterFile.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

constexpr std::string_view LeaderOr008Tags[] = {"000", "008"};

// The first "b" of the first 887 with that Ind1 (and, when required, a "b").
const TMarcSubField* First887b(const TMarcRec& rec, char ind1, bool mustHaveB) {
  for (const auto& field : rec.Fields) {
    if (field->Tag != "887" || field->Ind1 != ind1) continue;
    for (const auto& sub : field->Subfields)
      if (sub->Code == 'b') return sub.get();
    if (!mustHaveB) return nullptr;
  }
  return nullptr;
}

} // namespace

TMrc2KvBase::TMrc2KvBase(const std::string& outFileName, const std::string& inFileName,
                         const std::string& terminator, const std::vector<std::string>& filterLines,
                         bool sourceIsIso, bool separatePeriodicals, const std::string& periodicalsFile,
                         bool separateWeeded, const std::string& weededFile)
    : TKonvSimple(outFileName, inFileName, terminator), SeparatePeriodicals(separatePeriodicals),
      SeparateWeeded(separateWeeded), PeriodicalsFile(periodicalsFile), WeededFile(weededFile),
      FilterLines(&filterLines) {
  SourceIsIso = sourceIsIso;
  OutRecord.SetFilter(JoinFilterLines(filterLines));
}

TMrc2KvBase::TMrc2KvBase(const std::string& inFileName, bool sourceIsIso, const std::string& terminator)
    : TKonvSimple(inFileName, terminator) {
  SourceIsIso = sourceIsIso;
}

TMrc2KvBase::~TMrc2KvBase() = default;

void TMrc2KvBase::ConvertNext() {
  TKonvSimple::ConvertNext();
  OutRecord.Clear();
  ParseRecordText(SourceRecord, SourceIsIso);
}

TMultiVolumeLevel TMrc2KvBase::MultiVolumeLevel() const {
  const TMarcField* leader = SourceRecord.FindFieldPtr("000");
  if (!leader || leader->Data.size() < 8) return TMultiVolumeLevel::Other;
  switch (leader->Data[7]) {
  case 'e':
  case 'g':
    return TMultiVolumeLevel::Head;
  case 'd':
  case 'i':
    return TMultiVolumeLevel::Part;
  default:
    return TMultiVolumeLevel::Other;
  }
}

std::string TMrc2KvBase::ObjectType() const {
  const TMarcSubField* b = First887b(SourceRecord, '0', true);
  return b ? CopyDef(b->Value, 2, 2) : std::string();
}

std::string TMrc2KvBase::PartLink() const {
  const TMarcSubField* b = First887b(SourceRecord, '1', false);
  return b ? CopyDef(b->Value, 10, 9) : std::string();
}

std::string TMrc2KvBase::Field001Part(int from, int count) const {
  const TMarcField* field = SourceRecord.FindFieldPtr("001");
  return field ? CopyDef(field->Data, from, count) : std::string();
}

std::string_view TMrc2KvBase::NewTagOr(std::string_view newTag, std::string_view tag) {
  return IsBlank(newTag) ? tag : newTag;
}

TMarcField* TMrc2KvBase::CopyFieldAs(const TMarcField& field, std::string_view newTag, char ind1, char ind2) {
  TMarcField* copy = OutRecord.CopyField(field, NewTagOr(newTag, field.Tag));
  if (ind1 != '\0') copy->Ind1 = ind1;
  if (ind2 != '\0') copy->Ind2 = ind2;
  return copy;
}

void TMrc2KvBase::CopyFieldsAs(std::string_view tag, std::string_view newTag, char ind1, char ind2) {
  CopyFieldsWhere(tag, '\0', '\0', newTag, ind1, ind2);
}

void TMrc2KvBase::CopyFieldsWhere(std::string_view tag, char ind1Filter, char ind2Filter,
                                  std::string_view newTag, char ind1, char ind2) {
  for (const auto& field : SourceRecord.Fields) {
    if (field->Tag != tag) continue;
    if (ind1Filter != '\0' && field->Ind1 != ind1Filter) continue;
    if (ind2Filter != '\0' && field->Ind2 != ind2Filter) continue;
    CopyFieldAs(*field, newTag, ind1, ind2);
  }
}

std::string TMrc2KvBase::GetLeaderOr008(int which) const {
  return OutRecord.FieldData(LeaderOr008Tags[which != 0]);
}

void TMrc2KvBase::SetLeaderOr008(int which, std::string_view data) {
  const std::string_view tag = LeaderOr008Tags[which != 0];
  if (TMarcField* field = OutRecord.FindFieldPtr(tag))
    field->Data = data;
  else
    OutRecord.AddControlField(tag, data);
}

void TMrc2KvBase::CopyAllFields() {
  for (const auto& field : SourceRecord.Fields)
    OutRecord.CopyField(*field);
}

} // namespace kelvo::dalk_kv21
