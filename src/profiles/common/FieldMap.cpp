#include "profiles/common/FieldMap.h"

#include "profiles/common/Common4All.h"
#include "record/vostr.h"

namespace kelvo::common {

namespace {

const TCodeRow* FindEntry(std::span<const TCodeRow> entries, char code) {
  for (const auto& entry : entries)
    if (entry.From == code && code != JoinedText) return &entry;
  return nullptr;
}

void AppendJoined(std::string& joined, std::string_view text, std::string_view separator) {
  if (IsBlank(text)) return;
  if (!joined.empty()) joined += separator;
  joined += text;
}

// The subfields of source that join names, collected in source order.
std::string JoinedTextOf(const TMarcField& source, const TJoinSpec& join) {
  std::string joined;
  for (const auto& sub : source.Subfields) {
    if (join.Codes.find(sub->Code) == std::string_view::npos) continue;
    if (sub->Code == join.FixCode)
      AppendJoined(joined, FixText(sub->Value, join.Fix), join.Separator);
    else
      AppendJoined(joined, sub->Value, join.Separator);
  }
  return joined;
}

} // namespace

std::string FixText(std::string_view text, TTextFix fix) {
  std::string s(text);
  switch (fix) {
  case TTextFix::None:
    break;
  case TTextFix::Brackets:
    StripEndPunctuation(s);
    s = TrimEnclosing(s, '[', ']');
    break;
  case TTextFix::Parens:
    StripEndPunctuation(s);
    s = TrimEnclosing(s, '(', ')');
    break;
  case TTextFix::TrimParens:
    s = TrimEnclosing(s, '(', ')');
    break;
  case TTextFix::DropParens:
    if (s.ends_with(')')) s.pop_back();
    if (s.starts_with('(')) s.erase(0, 1);
    break;
  case TTextFix::StripFullStop:
    StripEnding(s, ".");
    break;
  case TTextFix::Enclose:
    if (!IsBlank(s) && !IsEnclosed(s, '(', ')')) s = "(" + s + ")";
    break;
  case TTextFix::Wrap:
    if (!IsBlank(s)) s = "(" + s + ")";
    break;
  }
  return s;
}

std::string_view FirstSubfieldText(const TMarcField& field, char code) {
  for (const auto& sub : field.Subfields)
    if (sub->Code == code) return sub->Value;
  return {};
}

std::string_view LastSubfieldText(const TMarcField& field, char code) {
  for (auto it = field.Subfields.rbegin(); it != field.Subfields.rend(); ++it)
    if ((*it)->Code == code) return (*it)->Value;
  return {};
}

TMarcField* ApplyFieldMap(const TMarcField& source, TMarcRec& out, std::string_view targetTag,
                          const TFieldMap& map) {
  TMarcField* field = nullptr;
  auto add = [&](char code, std::string_view text) {
    if (field == nullptr)
      field = out.AddField(targetTag, map.Ind1 != '\0' ? map.Ind1 : source.Ind1, source.Ind2);
    field->AddSubfield(code, text);
  };

  if (map.Order == TMapOrder::Source) {
    for (const auto& sub : source.Subfields)
      if (const TCodeRow* entry = FindEntry(map.Subfields, sub->Code)) {
        if (entry->Fix == TTextFix::None)
          add(entry->To, sub->Value);
        else
          add(entry->To, FixText(sub->Value, entry->Fix));
      }
    for (const TJoinSpec& join : map.Joins) {
      const std::string joined = JoinedTextOf(source, join);
      if (!IsBlank(joined)) add(join.To, joined);
    }
    return field;
  }

  for (const auto& entry : map.Subfields) {
    std::string text;
    if (entry.From == JoinedText) {
      for (const TJoinSpec& join : map.Joins)
        if (join.To == entry.To) text = JoinedTextOf(source, join);
    } else {
      text = FixText(LastSubfieldText(source, entry.From), entry.Fix);
    }
    if (!IsBlank(text)) add(entry.To, text);
  }
  return field;
}

TMarcField* AddFixedOrderField(TMarcRec& out, std::string_view tag, char ind1, char ind2,
                               std::initializer_list<TCodedText> texts) {
  TMarcField* field = nullptr;
  for (const TCodedText& text : texts) {
    if (IsBlank(text.Text)) continue;
    if (field == nullptr) field = out.AddField(tag, ind1, ind2);
    field->AddSubfield(text.Code, text.Text);
  }
  return field;
}

} // namespace kelvo::common
