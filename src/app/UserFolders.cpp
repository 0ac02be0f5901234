#include "app/UserFolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "app/AppPaths.h"

namespace kelvo {

namespace {

constexpr std::string_view ProgramSubfolder = "kelvo/";

// An XDG base folder, or the fallback below HOME.
std::string BaseFolder(const char* xdg, const char* home, std::string_view fallback) {
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/";
  if (home && home[0] != '\0') return std::string(home) + "/" + std::string(fallback);
  return {};
}

std::string SettingsFileName(std::string_view programFile) {
  return ExtractFileName(ChangeFileExt(programFile, ".ini"));
}

bool Writable(const std::string& folder) {
  return ::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0;
}

} // namespace

TUserFolders UserFoldersFrom(const char* configHome, const char* dataHome, const char* home) {
  TUserFolders folders{BaseFolder(configHome, home, ".config/"), BaseFolder(dataHome, home, ".local/share/")};
  for (std::string* folder : {&folders.Config, &folders.Data})
    if (!folder->empty()) *folder += ProgramSubfolder;
  return folders;
}

TFileLocations ChooseLocations(std::string_view programFile, const TProgramFolderFacts& facts,
                               const TUserFolders& user) {
  const std::string programFolder = ExtractFilePath(programFile);
  const bool userFiles = facts.Installed || !facts.Writable;
  TFileLocations places;
  places.SettingsFile = programFolder + SettingsFileName(programFile);
  if (userFiles && !facts.HasSettingsFile && !user.Config.empty())
    places.SettingsFile = user.Config + SettingsFileName(programFile);
  places.OwnFolder = userFiles && !user.Data.empty() ? user.Data : programFolder;
  places.DataFolder = programFolder;
  if (facts.Installed)
    places.DataFolder =
        std::filesystem::path(programFolder + std::string(InstalledDataFolder)).lexically_normal().string();
  if (places.OwnFolder != programFolder) places.UserDataFolder = places.OwnFolder;
  return places;
}

TFileLocations FileLocationsFor(std::string_view programFile) {
  const std::string programFolder = ExtractFilePath(programFile);
  TProgramFolderFacts facts;
  facts.Writable = Writable(programFolder);
  facts.Installed = DirectoryExists(programFolder + std::string(InstalledDataFolder));
  facts.HasSettingsFile = FileExists(programFolder + SettingsFileName(programFile));
  const TFileLocations places = ChooseLocations(
      programFile, facts,
      UserFoldersFrom(std::getenv("XDG_CONFIG_HOME"), std::getenv("XDG_DATA_HOME"), std::getenv("HOME")));
  std::error_code ignored;
  for (const std::string& folder : {ExtractFilePath(places.SettingsFile), places.OwnFolder})
    if (!folder.empty() && folder != programFolder) std::filesystem::create_directories(folder, ignored);
  return places;
}

} // namespace kelvo
