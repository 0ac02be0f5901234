#include "profiles/sorvia_kv21/Kv21FieldRules.h"

#include "record/MarcRec.h"
#include "record/vomisc.h"
#include "record/vostr.h"

namespace kelvo::sorvia_kv21 {

namespace {

// The expressions of the rules, exactly as the union catalogue's records need them.
constexpr std::string_view kTrailingPunct = "(\\;$)|(\\:$)|(\\,$)|(\\/$)";
constexpr std::string_view kIsbn10 = "(^[0-9X-]{10,13} )|(^[0-9X-]{10,13}$)";
constexpr std::string_view kIsbn13 = "(^[0-9-]{13,17} )|(^[0-9-]{13,17}$)";
constexpr std::string_view kBracketed = "^\\[.{1,}\\]";
constexpr std::string_view kRestToB = "(^ \\; )|(^ \\: )|(^ \\= )";
constexpr std::string_view kRestToC = "^ \\/ ";
constexpr std::string_view kYear = "\\D{0,1}[12][7890][0-9]{2,2}\\D{0,1}";
constexpr std::string_view kYearDigits = "[12][7890][0-9]{2,2}";
constexpr std::string_view kDecade = "\\D{0,1}[12][7890][0-9][\\?\\-]\\D{0,1}";
constexpr std::string_view kDecadeDigits = "[12][7890][0-9]";

// The only last characters the trailing-punctuation expression can match;
// checking them first spares the engine nearly every subfield.
constexpr CharSet kPunctuation{";:,/"};
constexpr std::string_view kBlanks = " \t\r\n";

// Kind of record from leader position 07 and the $h it gives the 245.
struct TKindText {
  char Level;
  std::string_view Text;
};
constexpr TKindText kKinds[] = {{'a', "Analytisk post"}, {'b', "Artikel"}};

bool IsAsciiAlnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

char LeaderChar(const TMarcRec& rec, std::size_t position) {
  const TMarcField* leader = rec.FindFieldPtr("000");
  return leader != nullptr && position < leader->Data.size() ? leader->Data[position] : '\0';
}

// ---------------------------------------------------------------- rules

TKv21FieldRules::TKv21FieldRules() {
  trailingPunct_.SetExpression(kTrailingPunct);
  isbn10_.SetExpression(kIsbn10);
  isbn13_.SetExpression(kIsbn13);
  bracketed_.SetExpression(kBracketed);
  restToB_.SetExpression(kRestToB);
  restToC_.SetExpression(kRestToC);
  year_.SetExpression(kYear);
  yearDigits_.SetExpression(kYearDigits);
  decade_.SetExpression(kDecade);
  decadeDigits_.SetExpression(kDecadeDigits);
}

void TKv21FieldRules::StripTrailingPunctuation(TMarcRec& rec) {
  for (const auto& field : rec.Fields) {
    for (const auto& subfield : field->Subfields) {
      std::string& value = subfield->Value;
      if (value.empty() || !kPunctuation.Has(value.back())) continue;
      if (trailingPunct_.Exec(value)) value.erase(trailingPunct_.MatchPos() - 1, trailingPunct_.MatchLen());
    }
  }
}

void TKv21FieldRules::AddIsbnCopy(TMarcField& field) {
  const TMarcSubField* a = field.FindSubfieldPtr('a');
  if (a == nullptr) return;
  TVoRegExpr* hit = isbn10_.Exec(a->Value) ? &isbn10_ : isbn13_.Exec(a->Value) ? &isbn13_ : nullptr;
  if (hit != nullptr) field.AddSubfield('x', TrimView(hit->Match()));
}

void TKv21FieldRules::SplitLanguages(TMarcField& field) {
  TMarcSubField* a = field.FindSubfieldPtr('a');
  if (a == nullptr) return;
  const std::string codes = Trim(a->Value);
  if (codes.size() <= 3 || codes.size() % 3 != 0) return;
  a->Value.assign(codes, 0, 3);
  for (std::size_t i = 3; i < codes.size(); i += 3)
    field.AddSubfield('a', std::string_view(codes).substr(i, 3));
}

void TKv21FieldRules::AddFilingForm(TMarcField& field) {
  const std::size_t skip = field.Ind1 >= '1' && field.Ind1 <= '9' ? field.Ind1 - '0' : 0;
  if (skip == 0) return;
  const TMarcSubField* a = field.FindSubfieldPtr('a');
  if (a != nullptr && a->Value.size() > skip) field.AddSubfield('w', std::string_view(a->Value).substr(skip));
}

void TKv21FieldRules::MaterialDesignation(TMarcRec& rec) {
  TMarcField* title = rec.FindFieldPtr("245");
  if (title == nullptr) return;

  // A component part gets its kind as $h and keeps it as it is.
  const char level = LeaderChar(rec, 7);
  for (const TKindText& kind : kKinds) {
    if (kind.Level == level && !title->HasSubfield('h')) {
      title->AddSubfield('h', kind.Text);
      return;
    }
  }

  // "[Ljudupptagning] / Anna Berg": the designation without brackets stays in
  // $h, what follows it moves to the part of the title it belongs to.
  TMarcSubField* h = title->FindSubfieldPtr('h');
  if (h == nullptr || !bracketed_.Exec(h->Value)) return;
  std::string rest = h->Value.substr(bracketed_.MatchLen()); // the match starts the value
  h->Value = StripEnds(bracketed_.Match(), 1);

  char targetCode = '\0';
  if (restToB_.Exec(rest)) {
    targetCode = 'b';
  } else if (restToC_.Exec(rest)) {
    targetCode = 'c';
  } else {
    return;
  }
  TMarcSubField* target = title->FindSubfieldPtr(targetCode);
  if (target == nullptr) {
    target = title->AddSubfield(targetCode, "");
    rest.erase(0, 3); // " / " is no part of a subfield of its own
  }
  target->Value += rest;
  if (IsBlank(target->Value)) title->DeleteSubfield(target);
}

void TKv21FieldRules::AddYear(TMarcField& field) {
  if (field.HasSubfield('y')) return;
  const TMarcSubField* c = field.FindSubfieldPtr('c');
  if (c == nullptr) return;
  const std::string year = ExtractYear(TrimView(c->Value));
  if (!IsBlank(year)) field.AddSubfield('y', year);
}

std::string TKv21FieldRules::ExtractYear(std::string_view text) {
  // The inner expression searches the outer match, which must outlive it.
  if (year_.Exec(text)) {
    const std::string found = year_.Match();
    if (yearDigits_.Exec(found)) return yearDigits_.Match();
  }
  // A decade written "199-" or "199?" gives its first year.
  if (decade_.Exec(text)) {
    const std::string found = decade_.Match();
    if (decadeDigits_.Exec(found)) return decadeDigits_.Match() + "0";
  }
  return {};
}

void TKv21FieldRules::MedicalSubject(TMarcField& field) {
  if (field.Ind2 == '2') field.Tag = "660";
}

void TKv21FieldRules::LinkNumber(TMarcField& field) {
  TMarcSubField* w = field.FindSubfieldPtr('w');
  if (w == nullptr) return;
  std::string_view rest = w->Value;
  while (true) {
    const std::size_t start = rest.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return;
    rest.remove_prefix(start);
    const std::string_view piece = rest.substr(0, rest.find_first_of(kBlanks));
    if (IsAsciiAlnum(piece.front())) {
      w->Value = std::string(piece);
      return;
    }
    rest.remove_prefix(piece.size());
  }
}

void TKv21FieldRules::MarkScrapped(TMarcRec& rec, const common::TWeeding& weeding) {
  if (weeding.AllCopiesWeeded(rec)) rec.AddFieldFromArrays("009", '0', '0', "xy", {"SCRAPPED", TodayYmd()});
}

void TKv21FieldRules::ShelfMarkToC(TMarcField& field) {
  TMarcSubField* h = field.FindSubfieldPtr('h');
  if (h == nullptr) return;
  if (TMarcSubField* c = field.FindSubfieldPtr('c')) {
    c->AppendText(h->Value, " ");
    field.DeleteSubfield(h);
  } else {
    h->Code = 'c';
  }
}

} // namespace kelvo::sorvia_kv21
