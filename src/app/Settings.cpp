#include "app/Settings.h"

#include <algorithm>
#include <charconv>
#include <thread>
#include <type_traits>
#include <variant>

#include "app/IniFile.h"
#include "record/MarcError.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

using TSettingField = std::variant<std::string TMainState::*, bool TMainState::*, int TMainState::*>;

struct TSetting {
  std::string_view Section;
  std::string_view Key;
  TSettingField Field;
  bool WrittenAtClose;
};

// In the order in which start-up reads them.
constexpr TSetting StartUpSettings[] = {
    {"filer", "infil", &TMainState::Infil, false},
    {"filer", "utfil", &TMainState::Utfil, false},
    {"diverse", "marcfilteron", &TMainState::FilterOn, true},
    {"diverse", "dubbletterbort", &TMainState::RemoveDuplicateLines, true},
    {"filer", "periodica", &TMainState::PeriodicalsFile, true},
    {"diverse", "periodicasep", &TMainState::PeriodicalsSep, true},
    {"diverse", "periodicafileshow", &TMainState::PeriodicaFileShow, true},
    {"filer", "utgallrade", &TMainState::WeededFile, true},
    {"diverse", "utgallrseparera", &TMainState::UtgallradeSeparera, true},
    {"diverse", "utgallradefileshow", &TMainState::UtgallradeFileShow, true},
    {"diverse", "utgallradkriterier", &TMainState::WeedingCriteria, false},
    {"diverse", "profil", &TMainState::Profile, false},
    {"diverse", "dfradbryt", &TMainState::SubfieldLines, false},
    {"diverse", "teckenuppsattning", &TMainState::Charset, true},
    {"diverse", "tradar", &TMainState::Jobs, false},
};

} // namespace

void ReadSettings(const TCustomIniFile& settings, TMainState& state) {
  for (const auto& s : StartUpSettings) {
    std::visit(
        [&](auto member) {
          auto& value = state.*member;
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::string>)
            value = settings.ReadString(s.Section, s.Key, value);
          else if constexpr (std::is_same_v<T, bool>)
            value = settings.ReadBool(s.Section, s.Key, value);
          else // the profile number: missing or not a number reads as profile 0
            value = settings.ReadInteger(s.Section, s.Key, 0);
        },
        s.Field);
  }
}

bool WriteSettings(TCustomIniFile& settings, const TMainState& state) {
  bool stored = true;
  for (const auto& s : StartUpSettings) {
    if (!s.WrittenAtClose) continue;
    std::visit(
        [&](auto member) {
          const auto& value = state.*member;
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::string>)
            stored &= settings.WriteString(s.Section, s.Key, value);
          else if constexpr (std::is_same_v<T, bool>)
            stored &= settings.WriteBool(s.Section, s.Key, value);
          else
            stored &= settings.WriteInteger(s.Section, s.Key, value);
        },
        s.Field);
  }
  return stored;
}

bool IsKv21Option(std::string_view name) {
  return std::any_of(std::begin(Kv21OptionKeys), std::end(Kv21OptionKeys),
                     [&](const TKv21OptionKey& k) { return k.Key == name; });
}

TKv21Options ReadKv21Options(const TCustomIniFile* settings, const std::vector<std::string>& forcedOn) {
  TKv21Options options;
  for (const auto& k : Kv21OptionKeys) {
    bool& value = options.*k.Field;
    if (settings) value = settings->ReadBool(Kv21Section, k.Key, false);
    if (std::find(forcedOn.begin(), forcedOn.end(), k.Key) != forcedOn.end()) value = true;
  }
  return options;
}

std::optional<int> ParseJobs(std::string_view text) {
  text = TrimView(text);
  int jobs = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > MaxJobs)
    return std::nullopt;
  return jobs;
}

int RunJobs(const TMainState& state) {
  if (IsBlank(state.Jobs))
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MaxJobs); // 0: not known
  if (const auto jobs = ParseJobs(state.Jobs)) return *jobs;
  throw MarcError("Ogiltigt antal tr\xe5"
                  "dar \"" +
                  state.Jobs +
                  "\" (inst\xe4llningen \"tradar\" i avsnittet \"diverse\": ett heltal fr\xe5n 1 till " +
                  std::to_string(MaxJobs) + ")");
}

} // namespace kelvo
