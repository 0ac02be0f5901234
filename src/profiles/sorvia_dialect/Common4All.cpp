#include "profiles/sorvia_dialect/Common4All.h"

#include "record/vostr.h"

namespace kelvo::sorvia_dialect {

bool StripEnding(std::string& text, std::string_view ending) {
  if (text.size() <= ending.size() || !text.ends_with(ending)) return false;
  text.resize(text.size() - ending.size());
  return true;
}

void StripEndPunctuation(std::string& text) {
  for (std::string_view ending : EndPunctuation)
    StripEnding(text, ending);
}

std::string TrimEnclosing(std::string_view text, char open, char close) {
  std::string_view s = TrimView(text);
  if (!s.empty() && s.front() == open) s.remove_prefix(1);
  if (!s.empty() && s.back() == close) s.remove_suffix(1);
  return std::string(s);
}

void CopyFieldsAs(const TTagIndex& source, TMarcRec& out, std::string_view sourceTag,
                  std::string_view newTag) {
  source.ForEach(sourceTag, [&](const TMarcField& field) { out.CopyField(field, newTag); });
}

} // namespace kelvo::sorvia_dialect
