// The rules that run after every other field rule, in their order.
#include <string>
#include <string_view>

#include "profiles/dalk_kv21/DalkIIToKv21.h"
#include "profiles/dalk_kv21/DalkRules.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

constexpr int LanguageFrom = 35; // 008/35-37
constexpr int LanguageLength = 3;
constexpr std::size_t ShelfPosition = 33; // 008/33

// The record number is the 4th to 10th characters of the vendor's 001.
void Cut001(TDalkIIToKv21& kv) {
  if (TMarcField* f001 = kv.OutRecord.FindFieldPtr("001")) f001->Data = CopyDef(f001->Data, 4, 7);
}

void Add029From001(TDalkIIToKv21& kv) {
  if (const TMarcField* f001 = kv.OutRecord.FindFieldPtr("001"))
    kv.OutRecord.AddFieldFromArrays("029", '6', '1', "a", {f001->Data});
}

void BlankLanguage(std::string& data) {
  data = PadRight(data, LanguageFrom + LanguageLength, ' ');
  data.replace(LanguageFrom, LanguageLength, LanguageLength, ' ');
}

// The language lives in 041 $a: a language code of the 008 moves there when
// no 041 names one, and the 008 positions are blanked either way.
void MoveLanguage(TDalkIIToKv21& kv) {
  if (kv.OutRecord.FindFieldPtr("008") == nullptr) return;
  std::string data = kv.GetLeaderOr008(1);
  if (kv.OutRecord.HasFieldWithSubfield("041", 'a')) {
    BlankLanguage(data);
    kv.SetLeaderOr008(1, data);
    return;
  }
  const std::string code = CopyDef(data, LanguageFrom + 1, LanguageLength);
  if (code.size() != LanguageLength || !IsAllLetters(code)) return;
  kv.OutRecord.AddFieldWithSubfields("041", '0', ' ', "a", {code});
  BlankLanguage(data);
  kv.SetLeaderOr008(1, data);
}

// A title that begins with "." or "-" files from its first letter or digit:
// the second indicator counts the characters before it.
void CleanUp245(TDalkIIToKv21& kv) {
  TMarcField* f245 = kv.OutRecord.FindFieldPtr("245");
  if (f245 == nullptr || (f245->Ind2 != ' ' && f245->Ind2 != '0')) return;
  const TMarcSubField* a = f245->FindSubfieldPtr('a');
  if (a == nullptr) return;
  kv.RegEx.SetExpression(R"(^[\.\-])");
  if (!kv.RegEx.Exec(a->Value)) return;
  kv.RegEx.SetExpression(R"([\w\d\xA1-\xA5\xC0-\xC3\xC6-\xD5\xD7-\xE3\xE6-\xF5\xF8-\xFF])");
  if (!kv.RegEx.Exec(a->Value)) return;
  const int skip = kv.RegEx.MatchPos() - 1;
  if (skip >= 1 && skip <= 9) f245->Ind2 = static_cast<char>('0' + skip);
}

bool IsVolumeNumber(std::string_view value) {
  const std::string lower = LowerCase(TrimBlanks(value));
  return StartsWith(lower, "box ") || StartsWith(lower, "vol ");
}

// A part's title goes to 295, without the first "box"/"vol" numbering after
// its first $n.
void MakePartTitle(TDalkIIToKv21& kv) {
  TMarcField* f245 = kv.OutRecord.FindFieldPtr("245");
  if (f245 == nullptr) return;
  for (int occurrence = 2; const TMarcSubField* n = f245->FindSubfieldPtr('n', occurrence); ++occurrence) {
    if (IsVolumeNumber(n->Value)) {
      f245->DeleteSubfield(n);
      break;
    }
  }
  f245->Tag = "295";
}

void AddMediaCodes(TDalkIIToKv21& kv) {
  const std::string objectType = TrimBlanks(kv.ObjectType());
  const TLocalAdaptation& adaptation = kv.LocalAdaptation();
  if (IsBlank(objectType) || !adaptation.HasMediaCodes()) return;
  for (const TMediaCode& code : adaptation.MediaCodes())
    if (code.In == objectType && !IsBlank(code.Ut)) kv.OutRecord.AddControlField("007", code.Ut);
}

// 008/33 says whether the first shelf mark (852 $h) begins with "H".
void MarkShelf(TDalkIIToKv21& kv) {
  std::string data = PadRight(kv.GetLeaderOr008(1), ShelfPosition + 1, ' ');
  const TMarcField* f852 = kv.OutRecord.FindFieldPtr("852");
  const TMarcSubField* h = f852 != nullptr ? f852->FindSubfieldPtr('h') : nullptr;
  data[ShelfPosition] = h != nullptr && StartsWith(h->Value, "H") ? '1' : '0';
  kv.SetLeaderOr008(1, data);
}

} // namespace

void RunFinalRules(TDalkIIToKv21& kv) {
  Rule596FromAdaptation(kv);
  Cut001(kv);
  Add029From001(kv);
  MoveLanguage(kv);
  CleanUp245(kv);
  if (!kv.SeparateProperWorks && kv.RecordClass == 2) MakePartTitle(kv);
  AddMediaCodes(kv);
  MarkShelf(kv);
  kv.AddStampField("DALKKONV", "592");
}

} // namespace kelvo::dalk_kv21
