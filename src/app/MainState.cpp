#include "app/MainState.h"

#include "app/AppPaths.h"
#include "app/ProfileRegistry.h"

namespace kelvo {

bool HasFileName(std::string_view caption) {
  return !caption.empty() && caption.find('*') == std::string_view::npos;
}

std::string ProfileFilterFile(const TMainState& state) {
  const TProfileInfo* info = ProfileInfo(state.Profile);
  return info ? state.DataFolder + std::string(info->FilterFile) : std::string();
}

bool StartAvailable(const TMainState& state) {
  return HasFileName(state.InFile) && HasFileName(state.OutFile) && FileExists(state.InFile);
}

bool SurveyAvailable(const TMainState& state) {
  return !state.SourceIsIso && HasFileName(state.InFile) && FileExists(state.InFile);
}

} // namespace kelvo
