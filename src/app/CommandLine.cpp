#include "app/CommandLine.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "record/vostr.h"

namespace kelvo {

namespace {

constexpr std::string_view BatKeyword = "bat";

struct TFileKeyword {
  std::string_view Keyword;
  std::string TMainState::*Caption;
};

constexpr TFileKeyword FileKeywords[] = {
    {"in=", &TMainState::InFile},
    {"ut=", &TMainState::OutFile},
};

struct TSwitchKeyword {
  std::string_view Keyword;
  std::string_view On; // the whole token that checks the switch
  bool TMainState::*Switch;
};

constexpr TSwitchKeyword SwitchKeywords[] = {
    {"iso=", "iso=1", &TMainState::SourceIsIso},
    {"oeg=", "oeg=1", &TMainState::DalkOegentligaDelarSpecial},
    {"egs=", "egs=1", &TMainState::DalkEgentligaFlerbandSepareras},
};

} // namespace

void ParseCommandLine(std::string_view argument, TMainState& state) {
  std::string rest(argument);
  while (!IsBlank(rest)) {
    const std::string token = NextToken(rest, '/');
    if (token == BatKeyword) state.Batch = true;
    for (const auto& k : FileKeywords)
      if (StartsWith(token, k.Keyword)) state.*k.Caption = token.substr(k.Keyword.size());
    for (const auto& k : SwitchKeywords)
      if (StartsWith(token, k.Keyword)) state.*k.Switch = token == k.On;
  }
}

bool IsBatchArgument(std::string_view argument) {
  if (!StartsWith(argument, "/")) return false;
  std::error_code ec;
  if (std::filesystem::exists(std::string(argument), ec)) return false;
  std::string rest(argument.substr(1));
  const std::string first = NextToken(rest, '/');
  // Only recognition forgives blanks around "bat"; parsing then takes the
  // token as it is ("bat " asks for no batch mode).
  if (Trim(first) == BatKeyword) return true;
  const auto keyword = [&](std::string_view k) { return StartsWith(first, k); };
  return std::any_of(std::begin(FileKeywords), std::end(FileKeywords),
                     [&](const TFileKeyword& k) { return keyword(k.Keyword); }) ||
         std::any_of(std::begin(SwitchKeywords), std::end(SwitchKeywords),
                     [&](const TSwitchKeyword& k) { return keyword(k.Keyword); });
}

} // namespace kelvo
