#pragma once
// The run of profile 0 or 1 for a converter class with their constructor and
// options; ProfileRun.cpp instantiates it with the two profiles' converters.
// Errors propagate to RunProfile, which reports them.
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "app/AppPaths.h"
#include "app/InputFormat.h"
#include "app/MainState.h"
#include "app/ProfileRegistry.h"
#include "app/ProfileRun.h"
#include "app/RunFrame.h"
#include "app/Settings.h"
#include "app/voMsg.h"
#include "convert/KonvSimple.h"
#include "record/LineFormat.h"
#include "record/MarcError.h"

namespace kelvo {

// The converters that take the options of the section "kv2m21spec".
template <class T>
concept Kv21Configurable = requires(T& k) {
  k.Fld852cUnconditionally = true;
  k.VoyagerIdKeep = true;
  k.KeepOld035Handling = true;
};

// The character set of the settings or the command line; an unknown name raises MarcError.
inline TCharset ChosenCharset(const TMainState& st) {
  if (const auto charset = CharsetFromName(st.Charset)) return *charset;
  throw MarcError("Ok\xe4nd teckenupps\xe4ttning \"" + st.Charset +
                  "\" (inst\xe4llningen \"teckenuppsattning\": auto, utf-8, marc-8 eller cp1252)");
}

// The options every profile's converter takes from the menus and the
// settings, and the input format told from the input when asked for.
template <class TConverter>
void SetRunOptions(TConverter& konv, const TMainState& st, const TProfileInfo& profile) {
  if constexpr (std::is_base_of_v<TKonvSimple, TConverter>)
    if (st.FormatFromInput) DetectSourceFormat(konv);
  konv.ConvertToKv2 = st.ConvertToKv2;
  konv.OutRecord.ApplyFilter = st.FilterOn;
  konv.RemoveDuplicateLines = st.RemoveDuplicateLines;
  konv.ConversionLabel = std::string(profile.Label);
  konv.SubfieldLines = st.SubfieldLines;
}

// Hands the frame's observers to a converter that reads records.
template <class TConverter> void ObserveRecords(TConverter& konv, const TRunFrame& frame) {
  if constexpr (std::is_base_of_v<TKonvSimple, TConverter>) {
    if (frame.OnRecord)
      konv.OnRecord = [&konv, &frame](const TRecordOutcome& outcome) { frame.OnRecord(konv, outcome); };
    konv.OnReplaced = frame.OnReplaced;
    konv.KeepsSourceRecord = frame.ObservesSourceRecord;
  }
}

template <class TConverter>
TRunOutcome RunSimpleProfile(const TMainState& st, const TProfileInfo& profile, TRunFrame& frame) {
  const std::string terminator(1, st.SourceIsIso ? IsoRecordTerminator : LineRecordTerminator);
  const std::vector<std::string> filterLines = LoadFilterLines(st.FilterFile);
  const bool sideFiles = st.PeriodicalsSep || st.UtgallradeSeparera;
  const std::string noFile;
  const TCharset charset = ChosenCharset(st);

  TLoopGuard guard(frame); // declared before the converter, so it ends the loop after freeing it
  auto konv =
      std::make_unique<TConverter>(st.OutFile, st.InFile, terminator, filterLines, st.SourceIsIso,
                                   sideFiles && st.PeriodicalsSep, sideFiles ? st.PeriodicalsFile : noFile,
                                   sideFiles && st.UtgallradeSeparera, sideFiles ? st.WeededFile : noFile);
  SetRunOptions(*konv, st, profile);
  ObserveRecords(*konv, frame);
  konv->WeedingCriteria = st.WeedingCriteria;
  konv->Jobs = RunJobs(st);
  konv->SetCharset(charset);
  if (st.SourceIsMarcXml) konv->ReadMarcXml();
  if constexpr (Kv21Configurable<TConverter>) {
    const TKv21Options options = ReadKv21Options(frame.Settings, st.Kv21Options);
    konv->Fld852cUnconditionally = options.Fld852cUnconditionally;
    konv->VoyagerIdKeep = options.VoyagerIdKeep;
    konv->KeepOld035Handling = options.KeepOld035Handling;
  }
  konv->BeginOutput(); // every file open and checked: now the outputs are emptied

  frame.BeginLoop();
  frame.ConvertLoop(*konv);
  frame.ShowCount();
  konv.reset(); // closes every file of the run
  frame.EndLoop();

  // The summary box of the side files; what the character-set step did is
  // among the run's summary lines (RunSummaryLines).
  if (sideFiles) frame.Msg.InfoBox(SummaryText(st), ExtractFileName(st.ProgramFile));
  return frame.Cancelled ? TRunOutcome::Cancelled : TRunOutcome::Completed;
}

} // namespace kelvo
