#pragma once
// The shell's interfaces on a terminal: message boxes as lines on standard
// error, a progress line while a run goes, and Ctrl-C as the Cancel button.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/RunFrame.h"
#include "app/VoWinApi.h"
#include "app/voMsg.h"

namespace kelvo::cli {

// Writes code page 1252 text, with the file names it holds as they are
// (MessageToUtf8), to a stream as UTF-8, with CR LF as LF.
void WriteText(std::FILE* stream, std::string_view text);

// Errors always; information unless quiet; questions are answered No (the
// command line never asks).
class TConsoleMsg : public TVoMsg {
public:
  explicit TConsoleMsg(bool quiet) : quiet_(quiet) {}

protected:
  bool ShowBox(TMsgKind kind, std::string_view text, std::string_view caption) override;

private:
  bool quiet_;
};

// "  45 %  1200 poster" on one line of standard error, redrawn when it
// changes; only when standard error is a terminal and not quiet.
class TConsoleView : public TRunView {
public:
  explicit TConsoleView(bool quiet);
  void Attach(const TRunFrame& frame) { frame_ = &frame; }

  void SetGauge(int percent) override;
  void SetStatus(const std::string& text) override;
  void SetRunning(bool running) override;

private:
  void Draw();
  std::int64_t Records() const;

  bool enabled_;
  const TRunFrame* frame_ = nullptr;
  int percent_ = -1;
  std::int64_t drawnRecords_ = -1;
};

// Pending events are the stop signals: after Ctrl-C, SIGTERM or SIGHUP the
// run's cancel flag is set and the run stops after the record in progress.
class TConsoleWinApi : public TVoWinApi {
public:
  void Attach(TRunFrame& frame) { frame_ = &frame; }

  // Installs the handler of SIGINT (Ctrl-C), SIGTERM and SIGHUP; a second
  // such signal ends the program at once.
  static void CatchInterrupt();
  // The signal that asked the run to stop; 0 when none came.
  static int Interrupted();

  void ProcessMessages() override;
  void SetClipboardText(const std::string& text) override;                     // standard output
  bool ShellOpen(const std::string& document, std::string_view verb) override; // not on a terminal

private:
  TRunFrame* frame_ = nullptr;
};

// The three and the frame they make, for one run of kelvokonv.
struct TConsoleShell {
  TConsoleShell(bool quiet, const TCustomIniFile* settings)
      : Msg(quiet), View(quiet), Frame(View, Api, Msg, settings) {
    View.Attach(Frame);
    Api.Attach(Frame);
  }

  TConsoleMsg Msg;
  TConsoleView View;
  TConsoleWinApi Api;
  TRunFrame Frame;
};

} // namespace kelvo::cli
