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
    // What was converted before the error reaches its files, and is told;
    // the error in flight is the one reported.
    try {
      konv.CloseOutput();
    } catch (...) {
    }
    Counts = konv.RunCounts();
    Notes = konv.RunNotes();
    throw;
  }
  Counts = konv.RunCounts();
  Notes = konv.RunNotes();
  if (!Cancelled) konv.CheckInputFormat();
  std::string warnings;
  for (const std::string& warning : konv.InputWarnings())
    warnings += (warnings.empty() ? "" : "\r\n") + warning;
  if (!warnings.empty()) Msg.WarningBox(warnings);
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
