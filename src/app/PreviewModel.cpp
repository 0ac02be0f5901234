#include "app/PreviewModel.h"

#include "app/AppPaths.h"
#include "app/ProfileRegistry.h"
#include "app/ProfileRun.h"
#include "app/RunFrame.h"
#include "app/VoWinApi.h"
#include "app/voMsg.h"
#include "convert/KonvSimple.h"
#include "convert/RunFiles.h"
#include "record/MarcXmlReader.h"

namespace kelvo {

namespace {

// Every file the run writes goes here during a preview: it keeps nothing.
constexpr const char* NullDevice = "/dev/null";

constexpr std::string_view TwoPassNote =
    "F\xf6rhandsgranskningen visar en k\xf6rning i ett pass. Med \"TRUX - endast oegentliga "
    "flerbandsdelar\" skriver k\xf6rningen bara huvudposterna f\xf6r oegentliga flerbandsverk, med "
    "delarnas nummer fr\xe5n f\xf6rsta passet.";

// The run shows nothing and handles no events while it previews; the text
// of its last error or warning box is kept, for a run that failed.
class TQuietShell : public TRunView, public TVoWinApi, public TVoMsg {
public:
  std::string LastProblem;

  void SetGauge(int) override {}
  void SetStatus(const std::string&) override {}
  void SetRunning(bool) override {}
  void ProcessMessages() override {}
  void SetClipboardText(const std::string&) override {}
  bool ShellOpen(const std::string&, std::string_view) override { return false; }

protected:
  bool ShowBox(TMsgKind kind, std::string_view text, std::string_view) override {
    if (kind == TMsgKind::Error || kind == TMsgKind::Warning) LastProblem = text;
    return false;
  }
};

// The record as read, in line format, without the exclude filter.
std::string SourceText(const TMarcRec& source) {
  TMarcRec copy;
  copy.ApplyFilter = false;
  for (const auto& field : source.Fields)
    copy.CopyField(*field);
  return copy.AsText();
}

std::string_view DestinationLabel(TDestination destination) {
  for (const TOutputRole* role : {&OutputRole, &PeriodicalsRole, &WeededRole, &MultiVolumeRole})
    if (role->Destination == destination) return role->Label;
  return NotWrittenLabel;
}

} // namespace

bool PreviewAvailable(const TMainState& state) {
  return HasFileName(state.InFile) && FileExists(state.InFile);
}

bool TPreviewModel::Load(const TMainState& state, const TCustomIniFile* settings) {
  Records.clear();
  Error.clear();
  Note.clear();
  Current = 0;

  TMainState run = state;
  run.SourceIsMarcXml = LooksLikeMarcXml(run.InFile);
  run.OutFile = NullDevice;
  run.PeriodicalsFile = NullDevice;
  run.WeededFile = NullDevice;
  run.MultiVolumeFile = NullDevice;
  run.ReportFile.clear();
  run.Jobs = "1"; // the observer reads the record as read and its rendering from the converter
  const TProfileInfo* profile = ProfileInfo(run.Profile);
  if (profile && profile->Options.MultiVolume && run.DalkOegentligaDelarSpecial) {
    run.DalkOegentligaDelarSpecial = false; // the second pass needs the whole input read first
    Note = TwoPassNote;
  }

  TQuietShell shell;
  TRunFrame frame(shell, shell, shell, settings);
  frame.ObservesSourceRecord = true;
  frame.OnRecord = [this, &frame](TKonvSimple& konv, const TRecordOutcome& outcome) {
    TPreviewRecord& record = Records.emplace_back();
    record.Number = outcome.Number;
    record.Route = outcome.Route;
    if (outcome.Source) record.Source = SourceText(*outcome.Source);
    if (outcome.Route.Destination != TDestination::NotWritten)
      record.Converted = konv.RenderFor(outcome.Route.Destination);
    if (Records.size() >= MaxRecords) frame.Cancelled = true; // the run stops after this record
  };
  const TRunOutcome outcome = RunProfile(run, frame);

  // A run that ended early tells why in its box (an input without records
  // of its format in a warning box); the warnings of a run that went on are
  // the reasons the records show.
  if (outcome == TRunOutcome::Failed || outcome == TRunOutcome::NotStarted)
    Error = shell.LastProblem;
  else if (Records.empty())
    Error = "Infilen " + state.InFile + " inneh\xe5ller inga poster";
  if (!Error.empty()) Records.clear();
  return Error.empty();
}

void TPreviewModel::Previous() {
  if (HasPrevious()) --Current;
}

void TPreviewModel::Next() {
  if (HasNext()) ++Current;
}

std::string TPreviewModel::PositionText() const {
  if (Records.empty()) return {};
  return "Post " + std::to_string(Current + 1) + " av " + std::to_string(Records.size());
}

std::string TPreviewModel::DestinationText() const {
  if (Records.empty()) return {};
  const TRoute& route = Records[Current].Route;
  if (route.Destination == TDestination::NotWritten) return "Skrivs inte: " + std::string(route.Reason);
  return "Skrivs till: " + std::string(DestinationLabel(route.Destination));
}

} // namespace kelvo
