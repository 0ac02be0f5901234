// The rules that run after every other field rule, in their order.
#include <string>
#include <string_view>

#include "profiles/dalk_kv21/DalkRules.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

constexpr int LanguageFrom = 35; // 008/35-37
constexpr int LanguageLength = 3;
constexpr std::size_t ShelfPosition = 33; // 008/33

// The record number is the 4th to 10th characters of the vendor's 001.
void Cut001(TDalkContext& ctx) {
  if (TMarcField* f001 = ctx.Out.FindFieldPtr("001")) f001->Data = CopyDef(f001->Data, 4, 7);
}

void Add029From001(TDalkContext& ctx) {
  if (const TMarcField* f001 = ctx.Out.FindFieldPtr("001"))
    ctx.Out.AddFieldFromArrays("029", '6', '1', "a", {f001->Data});
}

// The 008 data is changed in place, padded with blanks to hold position at.
void PadTo(std::string& data, std::size_t at) {
  if (data.size() <= at) data.resize(at + 1, ' ');
}

void BlankLanguage(std::string& data) {
  PadTo(data, LanguageFrom + LanguageLength - 1);
  data.replace(LanguageFrom, LanguageLength, LanguageLength, ' ');
}

// The language lives in 041 $a: a language code of the 008 moves there when
// no 041 names one, and the 008 positions are blanked either way.
void MoveLanguage(TDalkContext& ctx) {
  TMarcField* f008 = ctx.Out.FindFieldPtr("008");
  if (f008 == nullptr) return;
  if (ctx.Out.HasFieldWithSubfield("041", 'a')) {
    BlankLanguage(f008->Data);
    return;
  }
  const std::string code = CopyDef(f008->Data, LanguageFrom + 1, LanguageLength);
  if (code.size() != LanguageLength || !IsAllLetters(code)) return;
  ctx.Out.AddFieldWithSubfields("041", '0', ' ', "a", {code});
  BlankLanguage(f008->Data);
}

// A title that begins with "." or "-" files from its first letter or digit:
// the second indicator counts the characters before it.
void CleanUp245(TDalkContext& ctx) {
  TMarcField* f245 = ctx.Out.FindFieldPtr("245");
  if (f245 == nullptr || (f245->Ind2 != ' ' && f245->Ind2 != '0')) return;
  const TMarcSubField* a = f245->FindSubfieldPtr('a');
  if (a == nullptr) return;
  if (!ctx.Patterns.LeadingMark.Exec(a->Value)) return;
  if (!ctx.Patterns.FilingChar.Exec(a->Value)) return;
  const int skip = ctx.Patterns.FilingChar.MatchPos() - 1;
  if (skip >= 1 && skip <= 9) f245->Ind2 = static_cast<char>('0' + skip);
}

bool IsVolumeNumber(std::string_view value) {
  const std::string lower = LowerCase(TrimBlanks(value));
  return StartsWith(lower, "box ") || StartsWith(lower, "vol ");
}

// A part's title goes to 295, without the first "box"/"vol" numbering after
// its first $n.
void MakePartTitle(TDalkContext& ctx) {
  TMarcField* f245 = ctx.Out.FindFieldPtr("245");
  if (f245 == nullptr) return;
  for (int occurrence = 2; const TMarcSubField* n = f245->FindSubfieldPtr('n', occurrence); ++occurrence) {
    if (IsVolumeNumber(n->Value)) {
      f245->DeleteSubfield(n);
      break;
    }
  }
  f245->Tag = "295";
}

void AddMediaCodes(TDalkContext& ctx) {
  const std::string objectType = TrimBlanks(ObjectType(ctx.Source));
  const TLocalAdaptation& adaptation = ctx.Adaptation;
  if (IsBlank(objectType) || !adaptation.HasMediaCodes()) return;
  for (const TMediaCode& code : adaptation.MediaCodes())
    if (code.In == objectType && !IsBlank(code.Ut)) ctx.Out.AddControlField("007", code.Ut);
}

// 008/33 says whether the first shelf mark (852 $h) begins with "H".
void MarkShelf(TDalkContext& ctx) {
  TMarcField* f008 = ctx.Out.FindFieldPtr("008");
  if (f008 == nullptr) f008 = ctx.Out.AddControlField("008", {});
  std::string& data = f008->Data;
  PadTo(data, ShelfPosition);
  const TMarcField* f852 = ctx.Out.FindFieldPtr("852");
  const TMarcSubField* h = f852 != nullptr ? f852->FindSubfieldPtr('h') : nullptr;
  data[ShelfPosition] = h != nullptr && StartsWith(h->Value, "H") ? '1' : '0';
}

} // namespace

void RunFinalRules(TDalkContext& ctx) {
  Rule596FromAdaptation(ctx);
  Cut001(ctx);
  Add029From001(ctx);
  MoveLanguage(ctx);
  CleanUp245(ctx);
  if (!ctx.SeparateProperWorks && ctx.RecordClass == TMultiVolumeLevel::Part) MakePartTitle(ctx);
  AddMediaCodes(ctx);
  MarkShelf(ctx);
  AddStampField(ctx.Out, "DALKKONV", "592");
}

} // namespace kelvo::dalk_kv21
