#include "app/MainState.h"

#include "app/AppPaths.h"
#include "app/ProfileRegistry.h"

namespace kelvo {

bool HasFileName(std::string_view caption) {
  return !caption.empty() && caption.find('*') == std::string_view::npos;
}

std::string DataFile(const TMainState& state, std::string_view name) {
  if (!state.UserDataFolder.empty()) {
    std::string own = state.UserDataFolder + std::string(name);
    if (FileExists(own)) return own;
  }
  return state.DataFolder + std::string(name);
}

std::string ProfileFilterFile(const TMainState& state) {
  const TProfileInfo* info = ProfileInfo(state.Profile);
  return info ? DataFile(state, info->FilterFile) : std::string();
}

std::string FilterFileToSave(const TMainState& state) {
  const TProfileInfo* info = ProfileInfo(state.Profile);
  if (!info || state.UserDataFolder.empty()) return state.FilterFile;
  return state.UserDataFolder + std::string(info->FilterFile);
}

bool StartAvailable(const TMainState& state) {
  return HasFileName(state.InFile) && HasFileName(state.OutFile) && FileExists(state.InFile);
}

bool SurveyAvailable(const TMainState& state) {
  return !state.SourceIsIso && HasFileName(state.InFile) && FileExists(state.InFile);
}

} // namespace kelvo
