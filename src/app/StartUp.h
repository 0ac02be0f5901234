#pragma once
// The start-up sequence of the main window, run once at its first activation:
// settings, profile, title, menus, dialog folders, command line, and in batch
// mode the run itself.
#include <string_view>

#include "app/MainState.h"
#include "app/ProfileRun.h"

namespace kelvo {

class TCustomIniFile;
class TRunFrame;

// The settings file of a program: its path with the extension ".ini", or
// that name in the user's configuration folder (UserFolders.h).
std::string SettingsFileFor(std::string_view programFile);

// The program file, its folder and the folders that depend on it
// (UserFolders.h): the program's own files, the data folder when none is set
// yet, and the names of the two side files.
void SetProgramPaths(TMainState& state, std::string_view programFile);

// Steps 2 to 8: reads the settings, sets the filter file, the title, the
// vendor menu items and the dialog folders, applies the command line (the
// batch argument, or any other argument as the input file), and shows the
// settings' file names where the command line named none.
void PrepareStartUp(TMainState& state, const TCustomIniFile& settings, std::string_view firstArgument);

// Steps 10 and 11 after PrepareStartUp, in batch mode: when the file names do
// not allow a run, the error box "Kan ej köra batch, kontrollera
// filangivelserna" and interactive use (NotStarted); likewise, with its own
// message, for a profile that does not exist; otherwise the run's outcome.
TRunOutcome RunBatch(TMainState& state, TRunFrame& frame);

// The whole sequence after SetProgramPaths. In batch mode it checks the file
// names ("Kan ej köra batch, kontrollera filangivelserna" and interactive use
// when they do not allow a run) and runs the profile. True when the window is
// to close: a batch run that completed. The window then re-evaluates Start and
// the field survey.
bool RunStartUp(TMainState& state, const TCustomIniFile& settings, std::string_view firstArgument,
                TRunFrame& frame);

} // namespace kelvo
