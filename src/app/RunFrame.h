#pragma once
// The frame every conversion run shares, whatever the profile: the gauge, the
// status text with the record counter, the Cancel button and its flag, the
// processing of pending events after each record, and the message boxes. A
// run talks to the outside only through this frame, so the window, kelvokonv
// and the tests drive the same code.
//
// A profile run (RunProfile in ProfileRun.h, the vendor profile's run) does:
//   create its converter (errors propagate; nothing is shown yet)
//   TLoopGuard guard(frame);  // declared before the converter it outlives
//   frame.BeginLoop();        // gauge 0, Cancel shown, flag cleared, Start off
//   frame.ConvertLoop(konv);  // until EndOfInput or Cancel
//   free the converter; the guard's EndLoop restores the idle state, also
//   when a record raised an error.
// Errors are reported by RunProfile, which catches them at the top.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/KonvBase.h"
#include "convert/RecordOutcome.h"
#include "record/CharsetDecoder.h"

namespace kelvo {

class TCustomIniFile;
class TKonvSimple;
class TVoMsg;
class TVoWinApi;

// What a run shows while it goes; implemented by the window and by kelvokonv.
class TRunView {
public:
  virtual ~TRunView() = default;
  virtual void SetGauge(int percent) = 0; // 0..100
  virtual void SetStatus(const std::string& text) = 0;
  // true: Cancel shown, Start disabled (button and menu item).
  // false: Cancel hidden, Start availability re-evaluated (StartAvailable).
  virtual void SetRunning(bool running) = 0;
};

inline constexpr std::string_view CountStatusText = "Antal konverterade poster: ";
inline constexpr std::int64_t StatusInterval = 200;

class TRunFrame {
public:
  TRunFrame(TRunView& view, TVoWinApi& api, TVoMsg& msg, const TCustomIniFile* settings = nullptr)
      : View(view), Api(api), Msg(msg), Settings(settings) {}

  TRunView& View;
  TVoWinApi& Api;
  TVoMsg& Msg;
  // The settings file, for what a profile reads at the start of every run;
  // none means every such value takes its default.
  const TCustomIniFile* Settings;

  bool Cancelled = false;            // set by CancelCommand; keeps its value after the run
  std::int64_t RecordCount = 0;      // calls of ConvertNext in the current or last loop
  std::vector<TRunCount> Counts;     // where the records of the last loop went
  std::vector<std::string> Notes;    // the notes of the converter's RunMessages, for the summary
  std::vector<std::string> Warnings; // its warnings, shown in the warning box

  // Told of every record of a conversion pass, with the converter that read
  // it, and of every character its character-set step replaced (the report,
  // the preview); none by default. The profile runs hand them to their
  // converters (ObserveRecords).
  std::function<void(TKonvSimple& konv, const TRecordOutcome& outcome)> OnRecord;
  // OnRecord looks at the record as read (TRecordOutcome::Source); else it
  // may be none, once the profile took its fields for the output.
  bool ObservesSourceRecord = false;
  TReplacementObserver OnReplaced;

  // Counter, counts, notes and warnings of the last run cleared; a run that
  // fails before its loop then leaves nothing of an earlier run behind.
  void ClearResult();
  // Gauge to 0, Cancel shown, cancel flag and result cleared, Start disabled.
  void BeginLoop();
  // Calls ConvertNext until EndOfInput or the cancel flag; after every call
  // the counter, every 200th time the status text, the gauge from Percent and
  // the pending events. Then closes the converter's files (CloseOutput),
  // also when a record raises, and keeps its RunCounts and its RunMessages
  // (Notes, Warnings). Then, unless cancelled, the converter's
  // CheckInputFormat (which may raise), and its warnings in one warning box.
  void ConvertLoop(TKonvBase& konv);
  // Status text "Antal konverterade poster: " and the counter.
  void ShowCount();
  // Gauge to 0, Cancel hidden, Start re-evaluated; nothing when no loop began.
  void EndLoop();
  bool Running() const { return running_; }

  // The Cancel button: asks "Säkert du vill avbryta?" with the window's title
  // as caption and sets the cancel flag on Yes.
  void CancelCommand(std::string_view windowTitle);

private:
  bool running_ = false;
  // Keeps the converter's counts and notes; returns its warnings, one a line.
  std::string KeepResults(const TKonvBase& konv);
};

// What the last run did, one line each, for the end of a kelvokonv run and
// the window's result panel alike: "Antal konverterade poster: N", "Lästa
// poster: R" (the records of every destination that is no subset of
// another), each destination indented with its count and file name, the
// converter's notes, and a line when the run was cancelled. The warnings are
// not among them: each shell shows those in its warning box.
std::vector<std::string> RunSummaryLines(const TRunFrame& frame);

// Ends the loop state when a run leaves its scope, normally or by an error.
class TLoopGuard {
public:
  explicit TLoopGuard(TRunFrame& frame) : frame_(frame) {}
  ~TLoopGuard() { frame_.EndLoop(); }
  TLoopGuard(const TLoopGuard&) = delete;
  TLoopGuard& operator=(const TLoopGuard&) = delete;

private:
  TRunFrame& frame_;
};

} // namespace kelvo
