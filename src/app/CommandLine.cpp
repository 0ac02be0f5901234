#include "app/CommandLine.h"

#include <algorithm>
#include <string>

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
  constexpr std::string_view marks[] = {"/bat", "/in=", "/ut=", "/iso=", "/oeg=", "/egs="};
  return std::any_of(std::begin(marks), std::end(marks),
                     [&](std::string_view m) { return argument.find(m) != std::string_view::npos; });
}

} // namespace kelvo
