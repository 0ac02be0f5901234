// Rules for the leader, control fields, codes and numbers.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/dalk_kv21/DalkIIToKv21.h"
#include "profiles/dalk_kv21/DalkRuleHelpers.h"
#include "profiles/dalk_kv21/DalkRules.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

// A position of a control field that is rebuilt from the same position of the
// source: the characters of Map.From become those of Map.To, all others blank.
struct TPositionMap {
  int Position;
  TCodeMap Map;
};

// A run of positions taken over unchanged.
struct TPositionCopy {
  int From;
  int To; // inclusive
};

constexpr std::array LeaderCopies{TPositionCopy{0, 5}, TPositionCopy{10, 11}, TPositionCopy{18, 18},
                                  TPositionCopy{20, 21}};
constexpr std::array LeaderMaps{
    TPositionMap{6, {"acdefgijkblno", "acdefgijktmrp"}},
    TPositionMap{7, {"abdeikcgs", "mmmmmmasc"}},
    TPositionMap{17, {"bmpu", "7353"}},
};

constexpr std::array Copies008{TPositionCopy{0, 5}, TPositionCopy{7, 14}, TPositionCopy{35, 37}};
constexpr TPositionMap Map008Date{6, {"cdikmnrsf?uwxyvz", "cdikmnrssbmmmmrr"}};

// The source character at a 0-based position, blank past its end.
char SourceAt(std::string_view data, int position) { return CharAt(data, position + 1, ' '); }

void CopyPositions(std::string& out, std::string_view source, const TPositionCopy& copy) {
  for (int i = copy.From; i <= copy.To; ++i)
    out[static_cast<std::size_t>(i)] = SourceAt(source, i);
}

void MapPosition(std::string& out, std::string_view source, const TPositionMap& map) {
  const char to = MapCode(map.Map, SourceAt(source, map.Position));
  out[static_cast<std::size_t>(map.Position)] = to == '\0' ? ' ' : to;
}

// Adds every non-blank piece of text, cut into pieces of three characters
// (the last may be shorter), as a couple with the code.
void QueueThreeCharPieces(TMarcRec& out, char code, std::string_view text) {
  for (std::size_t at = 0; at < text.size(); at += 3) {
    const std::string_view piece = text.substr(at, 3);
    if (!IsBlank(piece)) out.AddCouple(code, piece);
  }
}

// What follows a classification subfield into its 084: the first subfield
// with Code after it (and before the next "a", "h" or "k"), wrapped and put
// after Separator. A blank value is wrapped and appended too; only the
// separator needs non-blank text on both sides.
struct TClassPiece {
  char Code;
  std::string_view Open;
  std::string_view Close;
  std::string_view Separator;
};

constexpr std::array ClassPieces{
    TClassPiece{'n', "", "", " "},   TClassPiece{'y', "", "", " "}, TClassPiece{'e', "", "", " "},
    TClassPiece{'i', "", "", " "},   TClassPiece{'f', "", "", " "}, TClassPiece{'g', "", "", " "},
    TClassPiece{'l', "(", ")", " "}, TClassPiece{'r', "", "", " "}, TClassPiece{'p', "(", ")", ""},
    TClassPiece{'s', "", "", "/"},
};

constexpr CharSet ClassStops{"ahk"};
constexpr CharSet SubjectStops{"ahkr"};

// The value of the first subfield with the code after `after`, before any
// subfield coded in stops; empty when there is none.
std::string NextValue(const TMarcField& field, const TMarcSubField& after, char code, const CharSet& stops) {
  const TMarcSubField* next = field.FindNextSubfield(&after, code, stops);
  return next != nullptr ? next->Value : std::string();
}

void Add084(TDalkIIToKv21& kv, const TMarcField& f081, const TMarcSubField& start) {
  std::string value = start.Value;
  for (const TClassPiece& piece : ClassPieces) {
    if (const TMarcSubField* next = f081.FindNextSubfield(&start, piece.Code, ClassStops))
      AppendWithSep(value, std::string(piece.Open) + next->Value + std::string(piece.Close), piece.Separator);
  }
  kv.OutRecord.AddFieldFromArrays("084", f081.Ind1, f081.Ind2, "a", {value});
}

// A 600 from a person's number in the classification: name, dates, titles
// and additions from the subfields that follow the $n.
void Add600(TDalkIIToKv21& kv, const TMarcField& f081, const TMarcSubField& n) {
  std::string titles;
  for (char code : std::string_view("ifl"))
    AppendNonBlank(titles, NextValue(f081, n, code, SubjectStops), " ");
  kv.OutRecord.AddFieldFromArrays("600", ' ', ' ', "adbcg",
                                  {n.Value, NextValue(f081, n, 'y', SubjectStops),
                                   NextValue(f081, n, 'e', SubjectStops), titles,
                                   NextValue(f081, n, 'g', SubjectStops)});
}

// The classification's second indicator marks the 008/22 as "b" or "c" when
// that position is in use.
void MarkTargetAudience(TDalkIIToKv21& kv, char ind2) {
  if (ind2 != '1' && ind2 != '2') return;
  std::string data = kv.GetLeaderOr008(1);
  if (data.size() < 23 || IsBlank(std::string_view(data).substr(22, 1))) return;
  data[22] = ind2 == '1' ? 'b' : 'c';
  kv.SetLeaderOr008(1, data);
}

} // namespace

void RuleLeader(TDalkIIToKv21& kv) {
  const TMarcField* source = kv.SourceRecord.FindFieldPtr("000");
  if (source == nullptr) return;
  std::string leader(24, ' ');
  for (const TPositionCopy& copy : LeaderCopies)
    CopyPositions(leader, source->Data, copy);
  for (const TPositionMap& map : LeaderMaps)
    MapPosition(leader, source->Data, map);
  kv.OutRecord.AddControlField("000", leader);
}

// Only the first 001, and only its data: the record number.
void Rule001(TDalkIIToKv21& kv) {
  if (const TMarcField* source = kv.SourceRecord.FindFieldPtr("001"))
    kv.OutRecord.AddControlField("001", source->Data);
}

void Rule008(TDalkIIToKv21& kv) {
  const TMarcField* source = kv.SourceRecord.FindFieldPtr("008");
  if (source == nullptr) return;
  const std::string_view in = source->Data;
  std::string out(40, ' ');
  for (const TPositionCopy& copy : Copies008)
    CopyPositions(out, in, copy);
  MapPosition(out, in, Map008Date);
  if (SourceAt(in, 15) == '0' && SourceAt(in, 16) == '0') {
    out[15] = 'X';
    out[16] = 'X';
  } else {
    CopyPositions(out, in, {15, 17});
  }
  out[22] = SourceAt(in, 22) == 'j' ? 'j' : 'e';
  kv.OutRecord.AddControlField("008", out);
}

void Rule029(TDalkIIToKv21& kv, const TMarcField& source, std::string_view newTag) {
  const TMarcSubField* a = source.FindSubfieldPtr('a');
  if (a == nullptr) return;
  std::string number = a->Value;
  if (number.size() == 9)
    number.resize(7);
  else if (number.size() == 13)
    number = CopyDef(number, 4, 7);
  kv.OutRecord.AddFieldFromArrays(newTag, source.Ind1, '1', "a", {number});
}

void Rule041(TDalkIIToKv21& kv) {
  const TMarcField* source = kv.SourceRecord.FindFieldPtr("041");
  if (source == nullptr) return;
  TMarcRec& out = kv.OutRecord;
  out.Couples.Clear();
  for (const auto& subfield : source->Subfields) {
    const std::string_view value = subfield->Value;
    if (IsBlank(value)) continue;
    switch (subfield->Code) {
    case 'a':
      QueueThreeCharPieces(out, 'a', value);
      break;
    case 'b':
      out.AddCouple('b', value);
      break;
    case 'c':
      QueueThreeCharPieces(out, 'b', value);
      break;
    case 't':
    case 'u':
      out.AddCouple('h', value);
      break;
    default:
      break;
    }
  }
  if (out.Couples.Count() == 0) return;
  const char ind1 = source->Ind1 == '0' || source->Ind1 == '1' ? '0'
                    : source->Ind1 == '2'                      ? '1'
                                                               : source->Ind1;
  const char ind2 = source->Ind2 == '2' ? '1' : source->Ind2;
  out.AddFieldFromCouples("041", ind1, ind2);
}

void Rule081(TDalkIIToKv21& kv) {
  const TMarcField* source = kv.SourceRecord.FindFieldPtr("081");
  if (source == nullptr) return;
  MarkTargetAudience(kv, source->Ind2);
  for (const auto& subfield : source->Subfields) {
    switch (subfield->Code) {
    case 'a':
    case 'k':
      Add084(kv, *source, *subfield);
      break;
    case 'h':
      kv.OutRecord.AddFieldFromArrays("852", ' ', ' ', "h", {subfield->Value});
      break;
    case 'n':
      Add600(kv, *source, *subfield);
      break;
    case 'r':
      kv.OutRecord.AddFieldFromArrays("610", ' ', ' ', "a", {subfield->Value});
      break;
    default:
      break;
    }
  }
}

void Rule538Numbers(TDalkIIToKv21& kv) {
  kv.CopyFieldsWhere("538", ' ', ' ', "024", '8', '0');
  kv.CopyFieldsWhere("538", '1', ' ', "028", '5', '0');
}

void Rule538To599(TDalkIIToKv21& kv) {
  kv.ForEachField("538", "", [&kv](const TMarcField& field, int, std::string_view) {
    const TMarcSubField* a = field.FindSubfieldPtr('a');
    if (field.Ind1 == '7' && a != nullptr)
      kv.OutRecord.AddFieldWithSubfields("599", ' ', ' ', "i", {a->Value});
  });
}

void Rule503To020(TDalkIIToKv21& kv) {
  if (!kv.LocalAdaptation().Copy503To020()) return;
  kv.ForEachField("503", "", [&kv](const TMarcField& field, int, std::string_view) {
    const TMarcSubField* a = field.FindSubfieldPtr('a');
    if (a == nullptr) return;
    kv.RegEx.SetExpression(R"((ISBN [0-9X-]{10,13}$)|(ISBN [[0-9-]{13,17}$))");
    if (!kv.RegEx.Exec(a->Value)) return;
    const std::string isbn = CopyFrom(kv.RegEx.Match(), 6);
    kv.OutRecord.AddFieldWithSubfields("020", ' ', ' ', "ax", {isbn, isbn});
  });
}

} // namespace kelvo::dalk_kv21
