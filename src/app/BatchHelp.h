#pragma once
// The batch help page of the Help menu ("Batch-kommandon").
#include <string>
#include <string_view>

#include "app/MainState.h"

namespace kelvo {

class TVoMsg;
class TVoWinApi;

inline constexpr std::string_view BatchHelpFileName = "bathelp.htm";

// The page, with an example command line for this program file and folder.
std::string BatchHelpText(std::string_view programFile, std::string_view programFolder);

// Writes the page as "bathelp.htm" in the program folder (overwriting it) and
// asks the desktop shell to open it; what the shell answers is not checked.
// A page that cannot be written is reported in the error box: false.
bool ShowBatchHelp(const TMainState& state, TVoWinApi& api, TVoMsg& msg);

} // namespace kelvo
