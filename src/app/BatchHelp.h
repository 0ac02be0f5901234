#pragma once
// The batch help page of the Help menu ("Batch-kommandon").
#include <string>
#include <string_view>

#include "app/MainState.h"

namespace kelvo {

class TVoMsg;
class TVoWinApi;

inline constexpr std::string_view BatchHelpFileName = "bathelp.htm";

// The page in code page 1252, with an example command line for this program
// file (its name as the system's bytes, HTML-escaped). The example names its
// files relative to the current folder: a "/" would end the keyword.
std::string BatchHelpText(std::string_view programFile);

// Writes the page as "bathelp.htm" in the program's own folder (overwriting
// it), in UTF-8 as its head declares, and asks the desktop shell to open it;
// what the shell answers is not checked. A page that cannot be written is
// reported in the error box: false.
bool ShowBatchHelp(const TMainState& state, TVoWinApi& api, TVoMsg& msg);

} // namespace kelvo
