#include "app/RunFrame.h"

#include "app/VoWinApi.h"
#include "app/voMsg.h"

namespace kelvo {

void TRunFrame::BeginLoop() {
  View.SetGauge(0);
  Cancelled = false;
  RecordCount = 0;
  Counts.clear();
  Notes.clear();
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
    KeepResults(konv); // what was written before the error stays, and is told
    throw;
  }
  const std::string warnings = KeepResults(konv);
  if (!Cancelled) konv.CheckInputFormat();
  if (!warnings.empty()) Msg.WarningBox(warnings);
}

std::string TRunFrame::KeepResults(const TKonvBase& konv) {
  Counts = konv.RunCounts();
  Notes.clear();
  std::string warnings;
  for (TRunMessage& message : konv.RunMessages()) {
    if (message.Kind == TRunMessage::TKind::Note)
      Notes.push_back(std::move(message.Text));
    else
      warnings += (warnings.empty() ? "" : "\r\n") + message.Text;
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

} // namespace kelvo
