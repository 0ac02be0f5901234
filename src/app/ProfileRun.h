#pragma once
// The Start command: runs the conversion of the current profile inside the
// shared run frame and reports what went wrong through the error box.
#include <string>

#include "app/MainState.h"
#include "app/RunFrame.h"

namespace kelvo {

enum class TRunOutcome {
  NotStarted, // no such profile: the error box says so and nothing is run
  Completed,
  Cancelled, // stopped after a record; what was written stays
  Failed,    // an error, shown in the error box (an input without records of its
             // format in a warning box); the converter is released
};

// The run of the profile in the registry (ProfileRegistry.h) inside the
// frame. Errors never leave this function: the converter and its files are
// released, the frame is idle again and the message is shown.
TRunOutcome RunProfile(const TMainState& state, TRunFrame& frame);

// The text of the summary box shown at the end of a run of profile 0 or 1
// that had side files requested (possibly empty).
std::string SummaryText(const TMainState& state);

} // namespace kelvo
