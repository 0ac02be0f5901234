#include "app/RunFrame.h"

#include "app/VoWinApi.h"
#include "app/voMsg.h"

namespace kelvo {

void TRunFrame::ClearResult() {
  RecordCount = 0;
  Counts.clear();
  Notes.clear();
  Warnings.clear();
}

void TRunFrame::BeginLoop() {
  View.SetGauge(0);
  Cancelled = false;
  ClearResult();
  running_ = true;
  View.SetRunning(true);
}

void TRunFrame::ConvertLoop(TKonvBase& konv) {
  try {
    do {
      ++RecordCount;
      konv.ConvertNext();
      if (RecordCount % StatusInterval == 0) ShowCount();
      View.SetGauge(konv.Percent());
      Api.ProcessMessages();
    } while (!konv.EndOfInput && !Cancelled);
    konv.CloseOutput(); // a file whose data could not be stored fails the run
  } catch (...) {
    // What was converted before the error reaches its files, and is told;
    // the error in flight is the one reported.
    try {
      konv.CloseOutput();
    } catch (...) {
    }
    KeepResults(konv);
    throw;
  }
  const std::string warnings = KeepResults(konv);
  if (!Cancelled) konv.CheckInputFormat();
  if (!warnings.empty()) Msg.WarningBox(warnings);
}

std::string TRunFrame::KeepResults(const TKonvBase& konv) {
  Counts = konv.RunCounts();
  Notes.clear();
  Warnings.clear();
  std::string warnings;
  for (TRunMessage& message : konv.RunMessages()) {
    if (message.Kind == TRunMessage::TKind::Note) {
      Notes.push_back(std::move(message.Text));
    } else {
      warnings += (warnings.empty() ? "" : "\r\n") + message.Text;
      Warnings.push_back(std::move(message.Text));
    }
  }
  return warnings;
}

void TRunFrame::ShowCount() {
  std::string text(CountStatusText);
  text += std::to_string(RecordCount);
  View.SetStatus(text);
}

void TRunFrame::EndLoop() {
  if (!running_) return;
  running_ = false;
  View.SetGauge(0);
  View.SetRunning(false);
}

void TRunFrame::CancelCommand(std::string_view windowTitle) {
  if (Msg.QuestionBox("S\xe4kert du vill avbryta?", windowTitle)) Cancelled = true;
}

std::vector<std::string> RunSummaryLines(const TRunFrame& frame) {
  std::vector<std::string> lines{std::string(CountStatusText) + std::to_string(frame.RecordCount)};
  std::int64_t read = 0;
  std::vector<std::string> destinations;
  for (const TRunCount& count : frame.Counts) {
    if (!count.Subset) read += count.Count; // a subset is counted in another destination too
    std::string line = "  " + count.Label + ": " + std::to_string(count.Count);
    if (!count.FileName.empty()) line += " (" + count.FileName + ")";
    destinations.push_back(std::move(line));
  }
  lines.push_back("L\xe4sta poster: " + std::to_string(read));
  lines.insert(lines.end(), destinations.begin(), destinations.end());
  lines.insert(lines.end(), frame.Notes.begin(), frame.Notes.end());
  if (frame.Cancelled) lines.emplace_back("Avbruten: posterna som skrevs f\xf6re avbrottet finns kvar.");
  return lines;
}

} // namespace kelvo
