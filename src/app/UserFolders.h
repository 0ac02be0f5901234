#pragma once
// Where the program keeps its files: the settings file, the help page, the
// default side files and the data files (filter files, LokalAnpassTrux.xml,
// mediekoder.txt). A program in a folder of its own (a copied folder, the
// build tree) keeps them all beside itself. An installed program (a folder
// "share/kelvo" beside its own, as the install rules make it) reads its data
// files from there, and it, like a program whose folder cannot be written,
// keeps what it writes in the user's folders: $XDG_CONFIG_HOME/kelvo for the
// settings file, $XDG_DATA_HOME/kelvo for the rest, where a data file of the
// user's own is taken before the installed one. A settings file in the
// program folder is read first whenever one exists. Folders end in "/".
#include <string>
#include <string_view>

namespace kelvo {

// The installed data folder, relative to the program folder (bin and share/kelvo).
inline constexpr std::string_view InstalledDataFolder = "../share/kelvo/";

// The user's folders for the program; empty when the environment names none.
struct TUserFolders {
  std::string Config; // $XDG_CONFIG_HOME/kelvo/, else $HOME/.config/kelvo/
  std::string Data;   // $XDG_DATA_HOME/kelvo/, else $HOME/.local/share/kelvo/
};

// From the values of XDG_CONFIG_HOME, XDG_DATA_HOME and HOME (null when
// unset); an XDG value that is empty or no absolute path counts as unset.
TUserFolders UserFoldersFrom(const char* configHome, const char* dataHome, const char* home);

// What the choice depends on in the file system.
struct TProgramFolderFacts {
  bool Writable = true;         // the program folder can be written
  bool Installed = false;       // InstalledDataFolder exists beside it
  bool HasSettingsFile = false; // the program's settings file exists in its folder
};

struct TFileLocations {
  std::string SettingsFile;
  std::string OwnFolder;      // the help page, the default side files, filter files saved by the window
  std::string DataFolder;     // the data files
  std::string UserDataFolder; // a data file here is taken before DataFolder's; empty: none
};

TFileLocations ChooseLocations(std::string_view programFile, const TProgramFolderFacts& facts,
                               const TUserFolders& user);

// The choice for this program file, with the facts of the file system and
// the user's folders of the environment. The user's folders it chooses are
// created (a folder that cannot be created shows when a file is written there).
TFileLocations FileLocationsFor(std::string_view programFile);

} // namespace kelvo
