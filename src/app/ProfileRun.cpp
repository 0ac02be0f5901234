#include "app/ProfileRun.h"

#include <exception>
#include <utility>

#include "app/SimpleProfileRun.h"
#include "app/voMsg.h"
#include "profiles/dialect/Mrc21ToMrcKv.h"
#include "profiles/kv21/Mrc21ToKv21.h"
#include "profiles/vendor/DalkRun.h"
#include "record/MarcError.h"

namespace kelvo {

namespace {

// Creating an output truncates it: one that is the input would lose the
// records before they are read.
void CheckOutputsAreNotTheInput(const TMainState& st) {
  const std::pair<bool, const std::string*> outputs[] = {
      {true, &st.OutFile}, {st.PeriodicalsSep, &st.PeriodicalsFile}, {st.UtgallradeSeparera, &st.WeededFile}};
  for (const auto& [used, name] : outputs)
    if (used && SameFile(*name, st.InFile)) throw MarcError("Utfilen \xe4r samma fil som infilen: " + *name);
}

} // namespace

TRunOutcome RunProfile(const TMainState& state, TRunFrame& frame) {
  const TProfileInfo* profile = ProfileInfo(state.Profile);
  if (!profile) return TRunOutcome::NotStarted;
  try {
    CheckOutputsAreNotTheInput(state);
    switch (profile->Number) {
    case 0:
      return RunSimpleProfile<TMrc21ToMrcKv>(state, *profile, frame);
    case 1:
      return RunSimpleProfile<TMrc21ToKv21>(state, *profile, frame);
    default:
      if (state.SourceIsMarcXml) throw MarcError("MARCXML kan bara l\xe4sas med profil 0 och 1");
      RunDalkProfile(frame, state);
      return frame.Cancelled ? TRunOutcome::Cancelled : TRunOutcome::Completed;
    }
  } catch (const std::exception& e) {
    frame.Msg.ErrorBox(e.what());
    return TRunOutcome::Failed;
  }
}

std::string SummaryText(const TMainState& state) {
  std::string text;
  if (state.PeriodicalsSep && state.PeriodicaFileShow)
    text += "Periodikaposter har separerats till fil:\r\n" + state.PeriodicalsFile;
  if (state.UtgallradeSeparera && state.UtgallradeFileShow) {
    if (!text.empty()) text += "\r\n\r\n";
    text += "Utgallrade poster har separerats till fil:\r\n" + state.WeededFile;
  }
  return text;
}

} // namespace kelvo
