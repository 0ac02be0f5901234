#include "app/StartUp.h"

#include "app/AppPaths.h"
#include "app/CommandLine.h"
#include "app/ProfileRegistry.h"
#include "app/ProfileRun.h"
#include "app/RunFrame.h"
#include "app/Settings.h"
#include "app/UserFolders.h"
#include "app/voMsg.h"
#include "record/MarcXmlReader.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

// The folder of a file name without its trailing separator, or fallback's
// when the name is blank.
std::string DialogFolder(const std::string& fileName, const std::string& fallback) {
  std::string folder = ExtractFilePath(IsBlank(fileName) ? fallback : fileName);
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

} // namespace

std::string SettingsFileFor(std::string_view programFile) {
  return FileLocationsFor(programFile).SettingsFile;
}

void SetProgramPaths(TMainState& state, std::string_view programFile) {
  const TFileLocations places = FileLocationsFor(programFile);
  state.ProgramFile = std::string(programFile);
  state.ProgramFolder = ExtractFilePath(programFile);
  state.OwnFolder = places.OwnFolder;
  if (state.DataFolder.empty()) { // a data folder named by the user is the only one
    state.DataFolder = places.DataFolder;
    state.UserDataFolder = places.UserDataFolder;
  }
  state.PeriodicalsFile = state.OwnFolder + "periodika.mrc";
  state.WeededFile = state.OwnFolder + "utgallrade.mrc";
}

void PrepareStartUp(TMainState& state, const TCustomIniFile& settings, std::string_view firstArgument) {
  ReadSettings(settings, state);
  for (std::string* name : {&state.Infil, &state.Utfil, &state.PeriodicalsFile, &state.WeededFile})
    *name = FileNameFromSettings(*name);
  if (!FileExists(state.Infil)) state.Infil.clear();
  if (FileExists(state.Utfil)) state.OutFile = state.Utfil;
  // A name without a folder part is in the current folder, which exists.
  const std::string utfilFolder = ExtractFilePath(state.Utfil);
  if (!IsBlank(state.Utfil) && !utfilFolder.empty() && !DirectoryExists(utfilFolder)) state.Utfil.clear();

  state.FilterFile = ProfileFilterFile(state);
  const TProfileInfo* profile = ProfileInfo(state.Profile);
  state.Title = std::string(TitlePrefix) + (profile ? std::string(profile->Title) : std::string());
  state.VendorItemsVisible = profile && profile->Options.MultiVolume;
  state.OpenDialogFolder = DialogFolder(state.Infil, state.ProgramFile);
  state.SaveDialogFolder = DialogFolder(state.Utfil, state.ProgramFile);

  // Any other argument is a file name: the input, as if chosen in the dialog.
  if (IsBatchArgument(firstArgument))
    ParseCommandLine(firstArgument, state);
  else if (!firstArgument.empty())
    state.InFile = std::string(firstArgument);

  if (!HasFileName(state.InFile) && !IsBlank(state.Infil)) state.InFile = state.Infil;
  if (!HasFileName(state.OutFile) && !IsBlank(state.Utfil)) state.OutFile = state.Utfil;
}

TRunOutcome RunBatch(TMainState& state, TRunFrame& frame) {
  if (!StartAvailable(state)) {
    frame.Msg.ErrorBox("Kan ej k\xf6ra batch, kontrollera filangivelserna");
    state.Batch = false;
    return TRunOutcome::NotStarted;
  }
  if (!ProfileInfo(state.Profile)) {
    // Start would do nothing: say so rather than close as if the run had been made.
    frame.Msg.ErrorBox("Kan ej k\xf6ra batch: " + UnknownProfileText(state.Profile) +
                       " (inst\xe4llningen \"profil\" i avsnittet \"diverse\")");
    state.Batch = false;
    return TRunOutcome::NotStarted;
  }
  state.SourceIsMarcXml = LooksLikeMarcXml(state.InFile);
  return RunProfile(state, frame);
}

bool RunStartUp(TMainState& state, const TCustomIniFile& settings, std::string_view firstArgument,
                TRunFrame& frame) {
  PrepareStartUp(state, settings, firstArgument);
  return state.Batch && RunBatch(state, frame) == TRunOutcome::Completed;
}

} // namespace kelvo
