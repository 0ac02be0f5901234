#include "app/DalkProfileRun.h"

#include <string>
#include <vector>

#include "app/AppPaths.h"
#include "app/InputFormat.h"
#include "app/MainState.h"
#include "app/ProfileRegistry.h"
#include "app/ProfileRun.h"
#include "app/RunFrame.h"
#include "app/Settings.h"
#include "app/SimpleProfileRun.h"
#include "app/VoWinApi.h"
#include "convert/FilterFile.h"
#include "profiles/dalk_kv21/DalkIIOegentlCollect.h"
#include "profiles/dalk_kv21/DalkIIToKv21.h"
#include "profiles/dalk_kv21/LokalAnpass.h"
#include "record/MarcError.h"

namespace kelvo {
namespace {

using dalk_kv21::TDalkIIOegentlCollect;
using dalk_kv21::TDalkIIToKv21;
using dalk_kv21::THeadIndex;
using dalk_kv21::TLocalAdaptation;
using dalk_kv21::TPartLists;

constexpr std::string_view MediaCodeFileName = "mediekoder.txt";

// What both passes read before they start.
struct TDalkRunInputs {
  std::string Terminator;
  std::vector<std::string> FilterLines;
  std::vector<std::string> MediaCodeLines;
};

TDalkRunInputs LoadInputs(const TMainState& state) {
  TDalkRunInputs inputs;
  inputs.Terminator = state.SourceIsIso ? "\x1d" : "^";
  inputs.FilterLines = LoadFilterLines(state.FilterFile);
  // Any file of lines; a missing one gives none.
  inputs.MediaCodeLines = LoadFilterLines(DalkDataFiles(state).MediaCodes, "mediekodsfilen");
  return inputs;
}

// The conversion pass; with the collected lists only improper heads are written.
void ConvertPass(TRunFrame& frame, const TMainState& state, const TProfileInfo& profile,
                 const TDalkRunInputs& inputs, const THeadIndex* headIndex, const TPartLists* partLists) {
  TLocalAdaptation adaptation;
  adaptation.LoadFromFile(DalkDataFiles(state).LocalAdaptation);
  const std::string multiVolumeFile = MultiVolumeFileFor(state);

  const bool sideFiles = state.PeriodicalsSep || state.UtgallradeSeparera;
  TDalkIIToKv21 konv(state.OutFile, state.InFile, inputs.Terminator, inputs.FilterLines, state.SourceIsIso,
                     state.PeriodicalsSep, sideFiles ? state.PeriodicalsFile : std::string(),
                     state.UtgallradeSeparera, sideFiles ? state.WeededFile : std::string());
  SetRunOptions(konv, state, profile);
  ObserveRecords(konv, frame);
  konv.SetLocalAdaptation(adaptation);
  konv.SeparateProperWorks = state.DalkEgentligaFlerbandSepareras;
  konv.TranslateDiacritics = state.DiakriterTranslate;
  konv.MediaCodeLines = &inputs.MediaCodeLines;
  konv.OnlyImproperHeads = headIndex != nullptr;
  konv.HeadIndex = headIndex;
  konv.PartLists = partLists;
  konv.Jobs = RunJobs(state); // above 1: the records are read and parsed ahead on a second thread
  konv.OpenMultiVolumeFile(multiVolumeFile);
  konv.BeginOutput(); // every file open and checked: now the outputs are emptied

  TLoopGuard guard(frame);
  frame.BeginLoop();
  frame.ConvertLoop(konv);
}

} // namespace

std::string MultiVolumeFileFor(const TMainState& state) {
  if (!state.MultiVolumeFile.empty()) return state.MultiVolumeFile;
  if (!CanHaveFilesBeside(state.OutFile))
    throw MarcError("Utfilen " + state.OutFile +
                    " \xe4r ingen vanlig fil, och filen f\xf6r flerbandsverk kan inte ligga bredvid den: "
                    "ange den med --multi-volume FIL");
  return ExtractFilePath(state.OutFile) + std::string(dalk_kv21::MultiVolumeFileName);
}

TDalkDataFiles DalkDataFiles(const TMainState& state) {
  return {DataFile(state, dalk_kv21::TLocalAdaptation::FileName), DataFile(state, MediaCodeFileName)};
}

TRunOutcome RunDalkProfile(const TMainState& state, const TProfileInfo& profile, TRunFrame& frame) {
  if (state.DalkOegentligaDelarSpecial)
    RunDalkCollectAndConvert(frame, state, profile);
  else
    RunDalkConvert(frame, state, profile);
  return frame.Cancelled ? TRunOutcome::Cancelled : TRunOutcome::Completed;
}

void RunDalkConvert(TRunFrame& frame, const TMainState& state, const TProfileInfo& profile) {
  ConvertPass(frame, state, profile, LoadInputs(state), nullptr, nullptr);
}

void RunDalkCollectAndConvert(TRunFrame& frame, const TMainState& state, const TProfileInfo& profile) {
  // A pipe or a device would be empty when the second pass came to it.
  if (!IsRegularFile(state.InFile))
    throw MarcError("Tv\xe5passk\xf6rningen (\"TRUX - endast oegentliga flerbandsdelar\") l\xe4ser infilen "
                    "tv\xe5 g\xe5nger och kr\xe4ver en vanlig fil: " +
                    state.InFile);
  THeadIndex headIndex;
  TPartLists partLists;
  const TDalkRunInputs inputs = LoadInputs(state);
  {
    TDalkIIOegentlCollect collector(state.InFile, state.SourceIsIso, inputs.Terminator, headIndex, partLists);
    collector.Jobs = RunJobs(state);
    // Start stays disabled while the input is read, and Cancel ends the run
    // before anything is written.
    TLoopGuard guard(frame);
    frame.BeginLoop();
    frame.View.SetStatus(CollectStatusText);
    do {
      collector.ConvertNext();
      frame.View.SetGauge(collector.Percent());
      frame.Api.ProcessMessages();
    } while (!collector.EndOfInput && !frame.Cancelled);
    if (frame.Cancelled) {
      frame.View.SetStatus("");
      return;
    }
  }
  ConvertPass(frame, state, profile, inputs, &headIndex, &partLists);
  frame.View.SetStatus("");
}

} // namespace kelvo
