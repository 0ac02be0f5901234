// Rules for headings, titles, edition, publication, extent and series (100-440).
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/dalk_kv21/DalkRuleHelpers.h"
#include "profiles/dalk_kv21/DalkRules.h"
#include "record/vostr.h"

namespace kelvo::dalk_kv21 {
namespace {

constexpr std::string_view ParallelSeparator = " = ";

// Personal name: a to a; c to d; d, f, g, l to c; e to b; x to w.
constexpr TCodeRow PersonalNameMap[] = {{'a', 'a'}, {'c', 'd'}, {'d', 'c'}, {'f', 'c'},
                                        {'g', 'c'}, {'l', 'c'}, {'e', 'b'}, {'x', 'w'}};

// Uniform title: the collected values in the order they are added, and their codes.
constexpr std::string_view UniformTitleSources = "adhkpqr";
constexpr std::string_view UniformTitleCodes = "amrokfl";

// Marker that the character translation puts where the vendor text had a "$".
constexpr char MarkerChar = '\x01';

// Every piece of text between separators, in order (the text itself when it
// holds none).
std::vector<std::string> SplitAll(std::string_view text, std::string_view separator) {
  std::vector<std::string> pieces;
  for (std::size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator)) {
    pieces.emplace_back(text.substr(0, at));
    text.remove_prefix(at + separator.size());
  }
  pieces.emplace_back(text);
  return pieces;
}

// Cuts the match of the current expression off the end of text when there is
// one; the patterns used here are anchored at the end.
bool CutTrailingMatch(TVoRegExpr& regEx, std::string& text) {
  if (!regEx.Exec(text)) return false;
  text.erase(static_cast<std::size_t>(regEx.MatchPos() - 1));
  return true;
}

// ---------------------------------------------------------------------------
// Titles

// What the parallel-title step did to the $b of the first 245.
struct TParallelMarks {
  const TMarcSubField* Moved = nullptr; // every part of it went to 246
  const TMarcSubField* Cut = nullptr;   // only the part before the first " = " stays
};

void AddParallelTitle(TDalkContext& ctx, std::string_view piece) {
  std::string title = TrimBlanks(piece);
  while (!title.empty() && CutTrailingMatch(ctx.Patterns.ParallelTitleEnd, title)) {
  }
  if (ctx.Patterns.Quoted.Exec(title)) title = title.substr(1, title.size() - 2);
  if (IsBlank(title)) return;
  ctx.Out.AddField("246", '1', '1')->AddSubfield('a', title);
}

// The parallel titles in $b of the first 245 become 246 fields; returns how
// the $b is to be treated by the title rule.
TParallelMarks AddParallelTitles(TDalkContext& ctx, const TMarcField& title) {
  TParallelMarks marks;
  const TMarcSubField* b = title.FindSubfieldPtr('b');
  if (b == nullptr) return marks;
  const TMarcSubField* a = title.FindSubfieldPtr('a');
  const TMarcSubField* h = title.FindSubfieldPtr('h');
  std::string_view rest;
  // EndsWith is strict on purpose: a value that is nothing but " = " does not
  // end with it, so it moves no $b.
  if ((a != nullptr && EndsWith(a->Value, ParallelSeparator)) ||
      (h != nullptr && EndsWith(h->Value, ParallelSeparator))) {
    marks.Moved = b;
    rest = b->Value;
  } else {
    const std::size_t at = b->Value.find(ParallelSeparator);
    if (at == std::string::npos) return marks;
    rest = std::string_view(b->Value).substr(at + ParallelSeparator.size());
    if (IsBlank(rest)) return marks;
    marks.Cut = b;
  }
  for (const std::string& piece : SplitAll(rest, ParallelSeparator))
    AddParallelTitle(ctx, piece);
  return marks;
}

// The source value trimmed, and for a, b, h, n and p without a final " :" or " /".
std::string CleanTitleValue(TDalkContext& ctx, const TMarcSubField& subfield) {
  std::string value = TrimBlanks(subfield.Value);
  static constexpr CharSet EndCut("abhnp");
  if (EndCut.Has(subfield.Code)) {
    CutTrailingMatch(ctx.Patterns.TitleEnd, value);
  }
  return value;
}

void AddIfNotBlank(TMarcField& field, char code, std::string_view value) {
  if (!IsBlank(value)) field.AddSubfield(code, value);
}

// $h "<medium> : subtitle": the medium alone to $h, the subtitle to $b.
void AddMedium(TDalkContext& ctx, TMarcField& field, std::string_view value) {
  const std::size_t close = value.find('>');
  std::string medium = TrimBlanks(value.substr(0, close));
  if (!medium.empty() && medium.front() == '<') medium.erase(0, 1);
  AddIfNotBlank(field, 'h', medium);
  if (close == std::string_view::npos) return;
  std::string rest(value.substr(close + 1));
  if (IsBlank(rest)) return;
  if (ctx.Patterns.MediumRest.Exec(rest))
    rest.erase(0, static_cast<std::size_t>(ctx.Patterns.MediumRest.MatchLen()));
  AddIfNotBlank(field, 'b', TrimBlanks(rest));
}

// $p "part title / responsibility": the part title to $p, the rest to $c.
void AddPartTitle(TMarcField& field, std::string_view value) {
  constexpr std::string_view Responsibility = " / ";
  const std::size_t at = value.find(Responsibility);
  AddIfNotBlank(field, 'p', value.substr(0, at));
  if (at == std::string_view::npos) return;
  const std::string_view rest = value.substr(at + Responsibility.size());
  TMarcSubField* c = field.FindSubfieldPtr('c');
  if (c == nullptr) {
    if (IsBlank(rest)) return; // no $c for a blank statement alone
    c = field.AddSubfield('c', "");
  }
  c->AppendText(rest, " ; ");
}

void AddTitle(TDalkContext& ctx, const TMarcField& source, const TParallelMarks& marks) {
  auto field = ctx.Out.NewField("245", '0', source.Ind2);
  for (const auto& subfield : source.Subfields) {
    std::string value = CleanTitleValue(ctx, *subfield);
    switch (subfield->Code) {
    case 'a':
    case 'c':
      AddIfNotBlank(*field, subfield->Code, value);
      break;
    case 'n':
      if (value.ends_with(',')) value.pop_back(); // a lone "," leaves nothing
      AddIfNotBlank(*field, 'n', value);
      break;
    case 'b':
      if (subfield.get() == marks.Moved) break;
      if (subfield.get() == marks.Cut) value.erase(std::min(value.find(ParallelSeparator), value.size()));
      AddIfNotBlank(*field, 'b', value);
      break;
    case 'h':
      AddMedium(ctx, *field, value);
      break;
    case 'p':
      AddPartTitle(*field, value);
      break;
    default:
      break;
    }
  }
  std::erase_if(field->Subfields,
                [](const auto& s) { return s->Code == 'b' && TrimBlanks(s->Value) == "="; });
  // A 245 left without subfields is not added: such a record is no title
  // and, without another 245 or a 295, is not written at all.
  AddUnlessEmpty(ctx.Out, std::move(field));
}

// ---------------------------------------------------------------------------
// Series and other titles

// 249 fields from one 244: every $a after the first opens a field of its own.
class T249Builder {
public:
  T249Builder(TDalkContext& ctx, const TMarcField& source) : ctx_(ctx), source_(source) {}

  void Build() {
    Open();
    bool seenA = false;
    int eCount = 0;
    for (const auto& subfield : source_.Subfields) {
      const std::string& value = subfield->Value;
      switch (subfield->Code) {
      case 'a':
        if (seenA) {
          Close();
          Open();
        }
        seenA = true;
        AddIfNotBlank(*current_, 'a', value);
        break;
      case 'b':
        AddIfNotBlank(*current_, 'b', value);
        break;
      case 'g':
        AddIfNotBlank(*current_, 'p', value);
        break;
      case 'e':
        if (TMarcSubField* last = current_->LastSubfieldInSet(CharSet("ab")))
          last->AppendText(value, eCount == 0 ? " / " : ", ");
        ++eCount;
        break;
      case 'p': // a blank p still gives its parentheses
        if (TMarcSubField* last = current_->LastSubfieldInSet(CharSet("abp")))
          last->AppendText("(" + value + ")", " ");
        break;
      default:
        break;
      }
    }
    Close();
  }

private:
  void Open() { current_ = ctx_.Out.NewField("249", source_.Ind1, source_.Ind2); }
  void Close() { AddUnlessEmpty(ctx_.Out, std::move(current_)); }

  TDalkContext& ctx_;
  const TMarcField& source_;
  std::unique_ptr<TMarcField> current_;
};

} // namespace

void Rule100(TDalkContext& ctx) {
  const TMarcField* source = ctx.Tags.First("100");
  if (source == nullptr) return;
  QueueMappedCouples(ctx.Out, *source, PersonalNameMap);
  ctx.Out.AddFieldFromCouples("100", PersonalNameInd1(source->Ind1), ' ');
}

void RuleCorporateName(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  const bool meeting = source.HasTag("111");
  const TCorporateForm form = meeting ? TCorporateForm{'e', ' ', ' '} : TCorporateForm{'b', '2', ' '};
  AddUnlessEmpty(ctx.Out, BuildCorporateName(ctx.Out, source, newTag, form));
}

void RuleUniformTitle(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  std::array<std::string_view, UniformTitleSources.size()> values{};
  std::vector<std::string> parts;
  for (const auto& subfield : source.Subfields) {
    if (subfield->Code == 's') {
      for (std::string& piece : SplitAll(subfield->Value, std::string_view(&MarkerChar, 1)))
        parts.push_back(std::move(piece));
      continue;
    }
    if (const std::size_t at = UniformTitleSources.find(subfield->Code); at != std::string_view::npos)
      values[at] = subfield->Value;
  }
  const bool is130 = source.HasTag("130");
  TMarcField* field = ctx.Out.AddFieldWithSubfields(newTag, is130 ? source.Ind1 : ' ',
                                                    is130 ? ' ' : source.Ind2, UniformTitleCodes, values);
  for (const std::string& part : parts)
    AddIfNotBlank(*field, 'p', part);
  if (is130) {
    const TMarcSubField* a = field->FindSubfieldPtr('a');
    AddIfNotBlank(*field, 'w', FilingForm(source.Ind1, a == nullptr ? std::string_view() : a->Value));
  }
}

void Rule244(TDalkContext& ctx, const TMarcField& source, std::string_view) {
  T249Builder(ctx, source).Build();
}

void RuleTitles(TDalkContext& ctx) {
  TParallelMarks marks;
  if (const TMarcField* first = ctx.Tags.First("245")) marks = AddParallelTitles(ctx, *first);
  ctx.Tags.ForEach("245", [&](const TMarcField& source) { AddTitle(ctx, source, marks); });
}

void Rule246(TDalkContext& ctx, const TMarcField& source, std::string_view) {
  const bool variant = source.Ind2 == '9';
  auto field = ctx.Out.NewField(variant ? "247" : "246", source.Ind1, variant ? '0' : source.Ind2);
  TMarcSubField* last = nullptr;
  char previous = '\0';
  for (const auto& subfield : source.Subfields) {
    const char code = subfield->Code;
    const std::string& value = subfield->Value;
    // Only an append takes a blank value (the separator is left out then).
    if (IsBlank(value) && !((code == 'd' || code == 'e') && field->HasSubfield('b'))) {
      previous = code;
      continue;
    }
    switch (code) {
    case 'a':
    case 'b':
      last = field->AddSubfield(code, value);
      break;
    case 'd':
    case 'e':
      if (!field->HasSubfield('b'))
        last = field->AddSubfield('b', value);
      else if (previous != '\0' && last != nullptr)
        last->AppendText(value, previous == 'd' || previous == 'e' ? " ; " : " / ");
      break;
    case 'g':
    case 'h':
      last = field->AddSubfield('p', value);
      ctx.Out.AddField("740", '0', ' ')->AddSubfield('a', value);
      break;
    case 'n':
    case 'v':
      last = field->AddSubfield(code == 'n' ? 'f' : 'n', value);
      break;
    default:
      break;
    }
    previous = code;
  }
  AddUnlessEmpty(ctx.Out, std::move(field));
}

// ---------------------------------------------------------------------------
// Edition, scale, publication, extent and series

void Rule250(TDalkContext& ctx) {
  const TMarcField* source = ctx.Tags.First("250");
  if (source == nullptr) return;
  std::string a;
  std::string c;
  std::string e;
  bool seenA = false;
  for (const auto& subfield : source->Subfields) {
    switch (subfield->Code) {
    case 'a':
      if (!seenA) a = subfield->Value;
      seenA = true;
      break;
    case 'c':
    case 'd':
      AppendNonBlank(c, subfield->Value, " - ");
      break;
    case 'e':
      e = subfield->Value;
      break;
    default:
      break;
    }
  }
  ctx.Out.AddFieldFromArrays("250", ' ', ' ', "ab", {a, c});
  ctx.Out.AddFieldFromArrays("500", ' ', ' ', "a", {e});
}

void Rule256(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  std::string a = FirstValue(source, 'a');
  for (const auto& subfield : source.Subfields)
    if (subfield->Code == 'b') AppendWithSep(a, subfield->Value, " ; ");
  ctx.Out.AddFieldFromArrays(newTag, ' ', ' ', "abce",
                             {a, FirstValue(source, 'c'), FirstValue(source, 'd'), FirstValue(source, 'e')});
}

void RuleAWithB(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  std::string a = FirstValue(source, 'a');
  for (const auto& subfield : source.Subfields)
    if (subfield->Code == 'b') AppendWithSep(a, subfield->Value, " ");
  ctx.Out.AddFieldFromArrays(newTag, ' ', ' ', "a", {a});
}

void Rule260(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  std::string a;
  std::string b;
  std::string further;
  std::string c;
  std::string g;
  std::string i;
  bool seenA = false;
  bool seenB = false;
  for (const auto& subfield : source.Subfields) {
    const std::string& value = subfield->Value;
    switch (subfield->Code) {
    case 'a':
      if (!seenA) a = value;
      seenA = true;
      break;
    case 'b':
      if (seenB)
        AppendNonBlank(further, value, ", ");
      else
        b = value;
      seenB = true;
      break;
    case 'c':
      c = value;
      break;
    case 'g':
      g = value;
      break;
    case 'i':
      i = "<" + value + ">"; // a blank $i still gives its brackets
      break;
    default:
      break;
    }
  }
  if (!i.empty() && !IsBlank(further)) i = further + ", " + i; // i is empty without an $i
  std::string year;
  if (ctx.Patterns.Year.Exec(c) && ctx.Patterns.Year.Match() != c) year = ctx.Patterns.Year.Match();
  ctx.Out.AddFieldWithSubfields(newTag, ' ', ' ', "abcgiy", {a, b, c, g, i, year});
}

namespace {

void AddExtent(TDalkContext& ctx, const TMarcField& source) {
  std::string a;
  std::string v;
  std::string b;
  std::string c;
  std::string k;
  std::string d;
  bool seenE = false;
  for (const auto& subfield : source.Subfields) {
    const std::string& value = subfield->Value;
    switch (subfield->Code) {
    case 'a':
      a = value;
      break;
    case 'v':
      v = value;
      break;
    case 'b':
    case 'h':
    case 'i':
    case 'j':
      AppendNonBlank(b, value, ", ");
      break;
    case 'c':
      c = value;
      break;
    case 'k':
      k = value;
      break;
    case 'd':
      d = value;
      break;
    case 'e':
      AppendWithSep(d, value, seenE ? ", " : " ");
      seenE = true;
      break;
    default:
      break;
    }
  }
  std::string extent = IsBlank(v) ? a : v;
  if (!IsBlank(v) && !IsBlank(a)) extent = v + " (" + a + ")";
  ctx.Out.AddFieldWithSubfields("300", ' ', ' ', "abcce", {extent, b, c, k, d});
}

} // namespace

void RuleExtent(TDalkContext& ctx) {
  if (ctx.SeparateProperWorks) {
    ctx.Tags.ForEach("300", [&](const TMarcField& source) { AddExtent(ctx, source); });
    return;
  }
  const TMarcField* source = ctx.Tags.First("531");
  if (source == nullptr) source = ctx.Tags.First("300");
  if (source != nullptr) AddExtent(ctx, *source);
}

// $a is the title, then every b, then every e, whatever order they came in.
void Rule440(TDalkContext& ctx, const TMarcField& source, std::string_view newTag) {
  std::string a = FirstValue(source, 'a');
  for (const auto& subfield : source.Subfields)
    if (subfield->Code == 'b') AppendWithSep(a, subfield->Value, " : ");
  bool firstE = true;
  for (const auto& subfield : source.Subfields) {
    if (subfield->Code != 'e') continue;
    AppendWithSep(a, subfield->Value, firstE ? " / " : " ; ");
    firstE = false;
  }
  ctx.Out.AddFieldWithSubfields(newTag, ' ', source.Ind2, "apx",
                                {a, LastValue(source, 'g'), LastValue(source, 'n')});
}

} // namespace kelvo::dalk_kv21
