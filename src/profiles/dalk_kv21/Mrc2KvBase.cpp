#include "profiles/dalk_kv21/Mrc2KvBase.h"

#include "convert/FilterFile.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

constexpr std::string_view LeaderOr008Tags[] = {"000", "008"};

// The first "b" of the first 887 with that Ind1 (and, when required, a "b").
const TMarcSubField* First887b(const TMarcRec& rec, char ind1, bool mustHaveB) {
  for (const auto& field : rec.Fields) {
    if (!field->HasTag("887") || field->Ind1 != ind1) continue;
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
  ReadAndParse(SourceRecord);
  OutRecord.Clear();
}

TMultiVolumeLevel MultiVolumeLevel(const TMarcRec& source) {
  const TMarcField* leader = source.FindFieldPtr("000");
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

std::string ObjectType(const TMarcRec& source) {
  const TMarcSubField* b = First887b(source, '0', true);
  return b ? CopyDef(b->Value, 2, 2) : std::string();
}

std::string PartLink(const TMarcRec& source) {
  const TMarcSubField* b = First887b(source, '1', false);
  return b ? CopyDef(b->Value, 10, 9) : std::string();
}

std::string Field001Part(const TMarcRec& source, int from, int count) {
  const TMarcField* field = source.FindFieldPtr("001");
  return field ? CopyDef(field->Data, from, count) : std::string();
}

TMarcField* CopyFieldAs(TMarcRec& out, const TMarcField& field, std::string_view newTag, char ind1,
                        char ind2) {
  TMarcField* copy = out.CopyField(field, IsBlank(newTag) ? std::string_view(field.Tag) : newTag);
  if (ind1 != '\0') copy->Ind1 = ind1;
  if (ind2 != '\0') copy->Ind2 = ind2;
  return copy;
}

void CopyFieldsWhere(const TMarcRec& source, TMarcRec& out, std::string_view tag, char ind1Filter,
                     char ind2Filter, std::string_view newTag, char ind1, char ind2) {
  for (const auto& field : source.Fields) {
    if (!field->HasTag(tag)) continue;
    if (ind1Filter != '\0' && field->Ind1 != ind1Filter) continue;
    if (ind2Filter != '\0' && field->Ind2 != ind2Filter) continue;
    CopyFieldAs(out, *field, newTag, ind1, ind2);
  }
}

std::string GetLeaderOr008(const TMarcRec& out, int which) {
  return out.FieldData(LeaderOr008Tags[which != 0]);
}

void SetLeaderOr008(TMarcRec& out, int which, std::string_view data) {
  const std::string_view tag = LeaderOr008Tags[which != 0];
  if (TMarcField* field = out.FindFieldPtr(tag))
    field->Data = data;
  else
    out.AddControlField(tag, data);
}

void TMrc2KvBase::CopyAllFields() {
  for (const auto& field : SourceRecord.Fields)
    OutRecord.CopyField(*field);
}

} // namespace kelvo::dalk_kv21
