// Where the program keeps its files: beside itself, or installed and in the
// user's folders.
#include "app/UserFolders.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "app/AppPaths.h"
#include "app/MainState.h"
#include "support/TempDir.h"

namespace kelvo {
namespace {

using testing::TempDir;

TEST(UserFolders, ComeFromXdgOrHome) {
  const struct {
    const char *Config, *Data, *Home;
    std::string WantConfig, WantData;
  } cases[] = {
      {"/x/conf", "/x/data", "/h", "/x/conf/kelvo/", "/x/data/kelvo/"},
      {"", "relativ", "/h", "/h/.config/kelvo/", "/h/.local/share/kelvo/"}, // no absolute path: unset
      {nullptr, nullptr, "", "", ""},
  };
  for (const auto& c : cases) {
    const TUserFolders folders = UserFoldersFrom(c.Config, c.Data, c.Home);
    EXPECT_EQ(folders.Config, c.WantConfig);
    EXPECT_EQ(folders.Data, c.WantData);
  }
}

TEST(UserFolders, TheProgramFolderUnlessInstalledOrReadOnly) {
  const TUserFolders user{"/h/.config/kelvo/", "/h/.local/share/kelvo/"};
  const struct {
    const char* Name;
    TProgramFolderFacts Facts;
    TUserFolders User;
    TFileLocations Want;
  } cases[] = {
      {"CopiedFolder", {true, false, false}, user, {"/p/bin/konv.ini", "/p/bin/", "/p/bin/", ""}},
      {"ReadOnlyFolder",
       {false, false, false},
       user,
       {"/h/.config/kelvo/konv.ini", "/h/.local/share/kelvo/", "/p/bin/", "/h/.local/share/kelvo/"}},
      {"ReadOnlyWithSettings",
       {false, false, true},
       user,
       {"/p/bin/konv.ini", "/h/.local/share/kelvo/", "/p/bin/", "/h/.local/share/kelvo/"}},
      {"Installed",
       {true, true, false},
       user,
       {"/h/.config/kelvo/konv.ini", "/h/.local/share/kelvo/", "/p/share/kelvo/", "/h/.local/share/kelvo/"}},
      {"InstalledWithoutHome",
       {false, true, false},
       {},
       {"/p/bin/konv.ini", "/p/bin/", "/p/share/kelvo/", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TFileLocations got = ChooseLocations("/p/bin/konv.exe", c.Facts, c.User);
    EXPECT_EQ(got.SettingsFile, c.Want.SettingsFile);
    EXPECT_EQ(got.OwnFolder, c.Want.OwnFolder);
    EXPECT_EQ(got.DataFolder, c.Want.DataFolder);
    EXPECT_EQ(got.UserDataFolder, c.Want.UserDataFolder);
  }
}

// The user's folders of one test, unset again afterwards.
struct TXdgFolders {
  TXdgFolders(const std::string& config, const std::string& data) {
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("XDG_DATA_HOME", data.c_str(), 1);
  }
  ~TXdgFolders() {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
  }
};

TEST(UserFolders, AFolderThatCannotBeWrittenGivesTheUsersFoldersMadeForIt) {
  TempDir dir;
  const TXdgFolders xdg(dir.File("konf"), dir.File("data"));
  dir.Write("fil", ""); // a file where the program's folder should be: nothing can be written in it
  const TFileLocations got = FileLocationsFor(dir.File("fil/kelvokonv-gui"));
  EXPECT_EQ(got.SettingsFile, dir.File("konf/kelvo/kelvokonv-gui.ini"));
  EXPECT_EQ(got.OwnFolder, dir.File("data/kelvo/"));
  EXPECT_TRUE(DirectoryExists(dir.File("konf/kelvo")));
  EXPECT_TRUE(DirectoryExists(dir.File("data/kelvo")));

  // Installed: the data beside the program folder, the user's copy of a file first.
  std::filesystem::create_directories(dir.File("usr/bin"));
  std::filesystem::create_directories(dir.File("usr/share/kelvo"));
  TMainState state;
  const TFileLocations installed = FileLocationsFor(dir.File("usr/bin/kelvokonv"));
  state.DataFolder = installed.DataFolder;
  state.UserDataFolder = installed.UserDataFolder;
  EXPECT_EQ(state.DataFolder, dir.File("usr/share/kelvo/"));
  EXPECT_EQ(DataFile(state, "marcfilter.txt"), dir.File("usr/share/kelvo/marcfilter.txt"));
  EXPECT_EQ(FilterFileToSave(state), dir.File("data/kelvo/marcfilter.txt"));
  dir.Write("data/kelvo/marcfilter.txt", "245\r\n");
  EXPECT_EQ(DataFile(state, "marcfilter.txt"), dir.File("data/kelvo/marcfilter.txt"));
  EXPECT_EQ(DataFile(state, "mediekoder.txt"), dir.File("usr/share/kelvo/mediekoder.txt"));
}

} // namespace
} // namespace kelvo
