#pragma once
// The state of the main window that start-up fills and a run reads: the two
// file names, the menu switches and the values of the settings file. A plain
// struct, so that the window, kelvokonv and the tests share it; the window
// binds its labels and check marks to these members.
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// The caption of a file-name label that holds no name; an empty caption or
// one that contains a "*" counts as no name.
inline constexpr std::string_view NoFileCaption = "*ej angiven*";
bool HasFileName(std::string_view caption);

inline constexpr std::string_view TitlePrefix = "Kelvo konvertering. Profil: ";

struct TMainState {
  // The program and where its files live (folders with their trailing
  // separator; UserFolders.h tells which folders these are).
  std::string ProgramFile;        // full path of the program file
  std::string ProgramFolder;      // of the program file
  std::string OwnFolder;          // bathelp.htm, default side files
  std::string DataFolder;         // filter files, LokalAnpassTrux.xml, mediekoder.txt
  std::string UserDataFolder;     // the user's own data files, taken first; empty: none
  int Profile = 0;                // "profil"
  std::string FilterFile;         // the profile's filter file (ProfileFilterFile)
  std::string Title;              // of the main window
  bool VendorItemsVisible = true; // the five multi-volume menu items (TProfileOptions::MultiVolume)

  // Captions of lblInfil and lblUtfil: the input and output file names.
  std::string InFile{NoFileCaption};
  std::string OutFile{NoFileCaption};

  // Menu switches, in their design state.
  bool SourceIsIso = true;                    // mnuSourceIsIso2709
  bool SourceIsMarcXml = false;               // MARCXML input, whatever SourceIsIso says
  bool ConvertToKv2 = true;                   // mnuKonvTillKv2
  bool FilterOn = true;                       // mnuMarcFilterOn
  bool RemoveDuplicateLines = true;           // mnuDubbletterBort
  bool PeriodicalsSep = false;                // mnuPeriodicalsSep
  bool PeriodicaFileShow = true;              // mnuPeriodicaFileShow
  bool UtgallradeSeparera = false;            // mnuUtgallradeSeparera
  bool UtgallradeFileShow = true;             // mnuUtgallradeFileShow
  bool DiakriterTranslate = true;             // mnuDiakriterTranslate (profile 2)
  bool DalkOegentligaDelarSpecial = false;    // mnuDalkOegentligaDelarSpecial (profile 2)
  bool DalkEgentligaFlerbandSepareras = true; // mnuDalkEgentligaFlerbandSepareras (profile 2)

  // The run tells the format from the input's first chunk, for a stream that
  // can be read only once (kelvokonv --format auto); SourceIsIso is then
  // only the run's first guess.
  bool FormatFromInput = false;

  // Values of the settings file.
  std::string Infil;           // "filer"/"infil": last input file, kept only when it exists
  std::string Utfil;           // "filer"/"utfil": last output file
  std::string PeriodicalsFile; // "filer"/"periodica"
  std::string WeededFile;      // "filer"/"utgallrade"
  std::string WeedingCriteria = "Utgallr|Gallr|U"; // "diverse"/"utgallradkriterier"
  bool SubfieldLines = true;                       // "diverse"/"dfradbryt"
  std::string Charset = "auto"; // "diverse"/"teckenuppsattning": auto, utf-8, marc-8 or cp1252
  std::string Jobs; // "diverse"/"tradar": threads of a run (kelvokonv --jobs); empty: one per core
  // Profile 1 options switched on whatever section "kv2m21spec" says
  // (kelvokonv --option); the window leaves it empty.
  std::vector<std::string> Kv21Options;
  // Profile 2: the file of proper multi-volume works (kelvokonv
  // --multi-volume); empty: "flerband.txt" beside the output file.
  std::string MultiVolumeFile;
  // The report of the run (kelvokonv --report, the window's
  // "<output>.rapport.txt"), checked like the other files the run writes;
  // empty: none.
  std::string ReportFile;

  // Start-up.
  bool Batch = false;           // "bat" on the command line
  std::string OpenDialogFolder; // first folder of the input file dialog
  std::string SaveDialogFolder; // first folder of the output file dialog
};

// A data file: the user's own when the user data folder holds it, else the data folder's.
std::string DataFile(const TMainState& state, std::string_view name);
// The profile's filter file (DataFile); empty for an unknown profile.
std::string ProfileFilterFile(const TMainState& state);
// Where the filter editor stores the filter file: the user's own copy when
// there is a user data folder (the data folder is the installed one), else
// the file it read.
std::string FilterFileToSave(const TMainState& state);

// Start is available when both labels hold a name and the input file exists.
bool StartAvailable(const TMainState& state);
// The field survey needs line-format input and an existing input file.
bool SurveyAvailable(const TMainState& state);

} // namespace kelvo
