#pragma once
// Which values of the window state live in the settings file, where, and
// when they are read and written.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainState.h"

namespace kelvo {

class TCustomIniFile;

// Reads the start-up values in the order of the settings table. The state's
// members hold the defaults: the design states of the switches and, for the
// side files, the names that SetProgramPaths gave them.
void ReadSettings(const TCustomIniFile& settings, TMainState& state);
// Writes the values stored when the main window closes, in the table's order;
// false when the file could not be stored.
bool WriteSettings(TCustomIniFile& settings, const TMainState& state);

// The options of profile 1 in the section "kv2m21spec".
struct TKv21Options {
  bool Fld852cUnconditionally = false;
  bool VoyagerIdKeep = false;
  bool KeepOld035Handling = false;
};

inline constexpr std::string_view Kv21Section = "kv2m21spec";

struct TKv21OptionKey {
  std::string_view Key;
  bool TKv21Options::*Field;
};

inline constexpr TKv21OptionKey Kv21OptionKeys[] = {
    {"fld852cunconditionally", &TKv21Options::Fld852cUnconditionally},
    {"voyageridkeep", &TKv21Options::VoyagerIdKeep},
    {"keepold035handling", &TKv21Options::KeepOld035Handling},
};

bool IsKv21Option(std::string_view name);
// Read at the start of every profile 1 run, so that an edited settings file
// takes effect at the next run; the names in forcedOn are on whatever the file
// says. No settings file: every option off unless forced.
TKv21Options ReadKv21Options(const TCustomIniFile* settings, const std::vector<std::string>& forcedOn);

// The number of threads a run converts on: a whole number from 1 to
// MaxJobs; none for anything else.
inline constexpr int MaxJobs = 256;
std::optional<int> ParseJobs(std::string_view text);
// "tradar" of the state (the settings or --jobs); empty: one per core, at
// least 1. Raises MarcError for a value ParseJobs refuses.
int RunJobs(const TMainState& state);

} // namespace kelvo
