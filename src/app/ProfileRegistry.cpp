#include "app/ProfileRegistry.h"

#include <array>

#include "app/DalkProfileRun.h"
#include "app/SimpleProfileRun.h"
#include "profiles/sorvia_dialect/Mrc21ToMrcKv.h"
#include "profiles/sorvia_kv21/Mrc21ToKv21.h"

namespace kelvo {

namespace {

constexpr TProfileOptions SorviaOptions{.SideFiles = true, .Charset = true, .MarcXml = true};
constexpr TProfileOptions DalkOptions{.MultiVolume = true};

constexpr std::array Registry{
    TProfileInfo{0, "SorvM21/KV2/Sorvia", "BatSorM21", "marcfilter.txt", SorviaOptions,
                 &RunSimpleProfile<sorvia_dialect::TMrc21ToMrcKv>},
    TProfileInfo{1, "SorvM21/KV2/Marc21", "BatSorKV21", "marcfilter21.txt", SorviaOptions,
                 &RunSimpleProfile<sorvia_kv21::TMrc21ToKv21>},
    TProfileInfo{2, "DalkII/KV2/Marc21", "BatDalkKV21", "marcfilterdalkii.txt", DalkOptions, &RunDalkProfile},
};

} // namespace

std::span<const TProfileInfo> Profiles() { return Registry; }

const TProfileInfo* ProfileInfo(int profile) {
  for (const auto& info : Registry)
    if (info.Number == profile) return &info;
  return nullptr;
}

std::string ProfileNumbersText(bool TProfileOptions::*option, std::string_view lastJoin) {
  std::vector<int> numbers;
  for (const auto& info : Registry)
    if (!option || info.Options.*option) numbers.push_back(info.Number);
  std::string text;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) text += i + 1 == numbers.size() ? " " + std::string(lastJoin) + " " : std::string(", ");
    text += std::to_string(numbers[i]);
  }
  return text;
}

std::string UnknownProfileText(int profile) { return "profil " + std::to_string(profile) + " finns inte"; }

} // namespace kelvo
