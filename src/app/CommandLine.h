#pragma once
// The batch command line: one argument cut at "/" into keyword tokens
// ("bat", "in=", "ut=", "iso=", "oeg=", "egs="), all lower case and compared
// case-sensitively.
#include <string_view>

#include "app/MainState.h"

namespace kelvo {

// Applies the tokens of the first command-line argument to the state:
// "bat" (the whole token) asks for batch mode; "in=" and "ut=" set the file
// names to the rest of the token, blanks included; "iso=", "oeg=" and "egs="
// check their switch when the token is exactly "...=1" and uncheck it
// otherwise. Other tokens are ignored; parsing stops at a blank rest.
void ParseCommandLine(std::string_view argument, TMainState& state);

// True when the argument is the batch argument and not a file name: it
// begins with "/" followed by a keyword ("bat" as the whole token, blanks
// aside, or "in=", "ut=", "iso=", "oeg=", "egs=" and the rest), and it names
// no existing file. "/srv/bat/a.mrc" and "/data/batches/a.mrc" are file names.
bool IsBatchArgument(std::string_view argument);

} // namespace kelvo
