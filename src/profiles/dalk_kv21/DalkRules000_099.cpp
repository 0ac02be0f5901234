// Rules for the leader, control fields, codes and numbers.
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/dalk_kv21/DalkRuleHelpers.h"
#include "profiles/dalk_kv21/DalkRules.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

// A position of a control field that is rebuilt from the same position of the
// source by the code table Map; codes not in it become blank.
struct TPositionMap {
  int Position;
  std::span<const TCodeRow> Map;
};

// A run of positions taken over unchanged.
struct TPositionCopy {
  int From;
  int To; // inclusive
};

constexpr std::array LeaderCopies{TPositionCopy{0, 5}, TPositionCopy{10, 11}, TPositionCopy{18, 18},
                                  TPositionCopy{20, 21}};
constexpr TCodeRow RecordTypes[] = {{'a', 'a'}, {'c', 'c'}, {'d', 'd'}, {'e', 'e'}, {'f', 'f'},
                                    {'g', 'g'}, {'i', 'i'}, {'j', 'j'}, {'k', 'k'}, {'b', 't'},
                                    {'l', 'm'}, {'n', 'r'}, {'o', 'p'}};
constexpr TCodeRow BibliographicLevels[] = {{'a', 'm'}, {'b', 'm'}, {'d', 'm'}, {'e', 'm'}, {'i', 'm'},
                                            {'k', 'm'}, {'c', 'a'}, {'g', 's'}, {'s', 'c'}};
constexpr TCodeRow EncodingLevels[] = {{'b', '7'}, {'m', '3'}, {'p', '5'}, {'u', '3'}};
constexpr std::array LeaderMaps{
    TPositionMap{6, RecordTypes},
    TPositionMap{7, BibliographicLevels},
    TPositionMap{17, EncodingLevels},
};

constexpr std::array Copies008{TPositionCopy{0, 5}, TPositionCopy{7, 14}, TPositionCopy{35, 37}};
constexpr TCodeRow DateTypes[] = {{'c', 'c'}, {'d', 'd'}, {'i', 'i'}, {'k', 'k'}, {'m', 'm'}, {'n', 'n'},
                                  {'r', 'r'}, {'s', 's'}, {'f', 's'}, {'?', 'b'}, {'u', 'm'}, {'w', 'm'},
                                  {'x', 'm'}, {'y', 'm'}, {'v', 'r'}, {'z', 'r'}};
constexpr TPositionMap Map008Date{6, DateTypes};

// The source character at a 0-based position, blank past its end.
char SourceAt(std::string_view data, int position) { return CharAt(data, position + 1, ' '); }

void CopyPositions(std::string& out, std::string_view source, const TPositionCopy& copy) {
  for (int i = copy.From; i <= copy.To; ++i)
    out[static_cast<std::size_t>(i)] = SourceAt(source, i);
}

void MapPosition(std::string& out, std::string_view source, const TPositionMap& map) {
  out[static_cast<std::size_t>(map.Position)] = Recode(map.Map, SourceAt(source, map.Position), ' ');
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

void Add084(TDalkContext& ctx, const TMarcField& f081, const TMarcSubField& start) {
  std::string value = start.Value;
  for (const TClassPiece& piece : ClassPieces) {
    if (const TMarcSubField* next = f081.FindNextSubfield(&start, piece.Code, ClassStops))
      AppendWithSep(value, std::string(piece.Open) + next->Value + std::string(piece.Close), piece.Separator);
  }
  ctx.Out.AddFieldFromArrays("084", f081.Ind1, f081.Ind2, "a", {value});
}

// A 600 from a person's number in the classification: name, dates, titles
// and additions from the subfields that follow the $n.
void Add600(TDalkContext& ctx, const TMarcField& f081, const TMarcSubField& n) {
  std::string titles;
  for (char code : std::string_view("ifl"))
    AppendNonBlank(titles, NextValue(f081, n, code, SubjectStops), " ");
  ctx.Out.AddFieldFromArrays("600", ' ', ' ', "adbcg",
                             {n.Value, NextValue(f081, n, 'y', SubjectStops),
                              NextValue(f081, n, 'e', SubjectStops), titles,
                              NextValue(f081, n, 'g', SubjectStops)});
}

// The classification's second indicator marks the 008/22 as "b" or "c" when
// that position is in use.
void MarkTargetAudience(TDalkContext& ctx, char ind2) {
  if (ind2 != '1' && ind2 != '2') return;
  TMarcField* f008 = ctx.Out.FindFieldPtr("008");
  if (f008 == nullptr || f008->Data.size() < 23 || IsBlank(std::string_view(f008->Data).substr(22, 1)))
    return;
  f008->Data[22] = ind2 == '1' ? 'b' : 'c';
}

} // namespace

void RuleLeader(TDalkContext& ctx) {
  const TMarcField* source = ctx.Tags.First("000");
  if (source == nullptr) return;
  // Built in the new field's own storage.
  std::string& leader = ctx.Out.AddControlField("000", {})->Data;
  leader.assign(24, ' ');
  for (const TPositionCopy& copy : LeaderCopies)
    CopyPositions(leader, source->Data, copy);
  for (const TPositionMap& map : LeaderMaps)
    MapPosition(leader, source->Data, map);
}

// Only the first 001, and only its data: the record number.
void Rule001(TDalkContext& ctx) {
  if (const TMarcField* source = ctx.Tags.First("001")) ctx.Out.AddControlField("001", source->Data);
}

void Rule008(TDalkContext& ctx) {
  const TMarcField* source = ctx.Tags.First("008");
  if (source == nullptr) return;
  const std::string_view in = source->Data;
  std::string& out = ctx.Out.AddControlField("008", {})->Data; // built in the new field's own storage
  out.assign(40, ' ');
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
}

void Rule029(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  const TMarcSubField* a = source.FindSubfieldPtr('a');
  if (a == nullptr) return;
  std::string number = a->Value;
  if (number.size() == 9)
    number.resize(7);
  else if (number.size() == 13)
    number = CopyDef(number, 4, 7);
  ctx.Out.AddFieldFromArrays(newTag, source.Ind1, '1', "a", {number});
}

void Rule041(TDalkContext& ctx) {
  const TMarcField* source = ctx.Tags.First("041");
  if (source == nullptr) return;
  TMarcRec& out = ctx.Out;
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

void Rule081(TDalkContext& ctx) {
  const TMarcField* source = ctx.Tags.First("081");
  if (source == nullptr) return;
  MarkTargetAudience(ctx, source->Ind2);
  for (const auto& subfield : source->Subfields) {
    switch (subfield->Code) {
    case 'a':
    case 'k':
      Add084(ctx, *source, *subfield);
      break;
    case 'h':
      ctx.Out.AddFieldFromArrays("852", ' ', ' ', "h", {subfield->Value});
      break;
    case 'n':
      Add600(ctx, *source, *subfield);
      break;
    case 'r':
      ctx.Out.AddFieldFromArrays("610", ' ', ' ', "a", {subfield->Value});
      break;
    default:
      break;
    }
  }
}

void Rule538Numbers(TDalkContext& ctx) {
  CopyFieldsWhere(ctx.Source, ctx.Out, "538", ' ', ' ', "024", '8', '0');
  CopyFieldsWhere(ctx.Source, ctx.Out, "538", '1', ' ', "028", '5', '0');
}

void Rule538To599(TDalkContext& ctx) {
  ctx.Tags.ForEach("538", [&ctx](const TMarcField& field) {
    const TMarcSubField* a = field.FindSubfieldPtr('a');
    if (field.Ind1 == '7' && a != nullptr) ctx.Out.AddFieldWithSubfields("599", ' ', ' ', "i", {a->Value});
  });
}

void Rule503To020(TDalkContext& ctx) {
  if (!ctx.Adaptation.Copy503To020()) return;
  ctx.Tags.ForEach("503", [&ctx](const TMarcField& field) {
    const TMarcSubField* a = field.FindSubfieldPtr('a');
    if (a == nullptr) return;
    if (!ctx.Patterns.Isbn503.Exec(a->Value)) return;
    const std::string isbn = CopyFrom(ctx.Patterns.Isbn503.Match(), 6);
    ctx.Out.AddFieldWithSubfields("020", ' ', ' ', "ax", {isbn, isbn});
  });
}

} // namespace kelvo::dalk_kv21
