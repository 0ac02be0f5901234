#include "app/ProfileRun.h"

#include <exception>
#include <vector>

#include "app/DalkProfileRun.h"
#include "app/IniFile.h"
#include "app/ProfileRegistry.h"
#include "app/RunReport.h"
#include "app/voMsg.h"
#include "convert/RunFiles.h"
#include "record/MarcError.h"

namespace kelvo {

namespace {

// No file the run writes may be another file of the run: checked by name
// before anything is opened, so that a clash stops the run before it reads
// a record (the converter checks the open files again before it empties them).
void CheckRunFiles(const TMainState& st, const TProfileOptions& options, const TRunFrame& frame) {
  std::vector<TRunFile> writes{{st.OutFile, OutputRole.Name}, {st.ReportFile, ReportRole}};
  std::vector<TRunFile> reads{{st.InFile, InputRole}, {st.FilterFile, FilterRole}};
  if (frame.Settings) reads.push_back({frame.Settings->FileName(), SettingsRole});
  if (options.MultiVolume) {
    writes.push_back({MultiVolumeFileFor(st), MultiVolumeRole.Name});
    const TDalkDataFiles data = DalkDataFiles(st);
    reads.push_back({data.LocalAdaptation, DataFileRole});
    reads.push_back({data.MediaCodes, DataFileRole});
  }
  if (options.SideFiles) {
    if (st.PeriodicalsSep) writes.push_back({st.PeriodicalsFile, PeriodicalsRole.Name});
    if (st.UtgallradeSeparera) writes.push_back({st.WeededFile, WeededRole.Name});
  }
  CheckDistinctFiles(writes, reads);
}

} // namespace

TRunOutcome RunProfile(const TMainState& state, TRunFrame& frame) {
  const TProfileInfo* profile = ProfileInfo(state.Profile);
  if (!profile) {
    frame.Msg.ErrorBox("Kan ej starta: " + UnknownProfileText(state.Profile) +
                       " (inst\xe4llningen \"profil\" i avsnittet \"diverse\")");
    return TRunOutcome::NotStarted;
  }
  frame.ClearResult();
  try {
    CheckRunFiles(state, profile->Options, frame);
    if (state.SourceIsMarcXml && !profile->Options.MarcXml)
      throw MarcError("MARCXML kan bara l\xe4sas med profil " +
                      ProfileNumbersText(&TProfileOptions::MarcXml, "och"));
    return profile->Run(state, *profile, frame);
  } catch (const TInputFormatError& e) {
    frame.Msg.WarningBox(e.what());
    return TRunOutcome::Failed;
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
