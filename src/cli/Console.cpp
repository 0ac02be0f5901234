#include "cli/Console.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "record/vostr.h"

namespace kelvo::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0; // the signal that asked to stop, 0 for none

extern "C" void OnInterrupt(int signal) { interrupted = signal; }

// Records between two redraws of the progress line when the percentage stays.
constexpr std::int64_t RedrawInterval = 200;

} // namespace

void WriteText(std::FILE* stream, std::string_view text) {
  std::string utf8 = MessageToUtf8(text);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i)
    if (!(utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')) out += utf8[i];
  std::fwrite(out.data(), 1, out.size(), stream);
}

bool TConsoleMsg::ShowBox(TMsgKind kind, std::string_view text, std::string_view) {
  if (kind == TMsgKind::Information && (quiet_ || text.empty())) return false;
  std::string line(kind == TMsgKind::Information ? "" : "kelvokonv: ");
  line += text;
  line += '\n';
  WriteText(stderr, line);
  return false;
}

TConsoleView::TConsoleView(bool quiet) : enabled_(!quiet && isatty(STDERR_FILENO)) {}

void TConsoleView::SetGauge(int percent) {
  if (percent != percent_ || Records() - drawnRecords_ >= RedrawInterval) {
    percent_ = percent;
    Draw();
  }
}

std::int64_t TConsoleView::Records() const { return frame_ ? frame_->RecordCount : 0; }

void TConsoleView::SetStatus(const std::string&) { Draw(); }

void TConsoleView::SetRunning(bool running) {
  if (!running && enabled_) std::fputs("\r\x1b[K", stderr); // the summary follows on a clean line
}

void TConsoleView::Draw() {
  if (!enabled_) return;
  drawnRecords_ = Records();
  std::fprintf(stderr, "\r%3d %%  %lld poster", percent_ < 0 ? 0 : percent_,
               static_cast<long long>(drawnRecords_));
  std::fflush(stderr);
}

void TConsoleWinApi::CatchInterrupt() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP})
    sigaction(signal, &action, nullptr);
}

int TConsoleWinApi::Interrupted() { return interrupted; }

void TConsoleWinApi::ProcessMessages() {
  if (interrupted && frame_) frame_->Cancelled = true;
}

void TConsoleWinApi::SetClipboardText(const std::string& text) { WriteText(stdout, text); }

bool TConsoleWinApi::ShellOpen(const std::string&, std::string_view) { return false; }

} // namespace kelvo::cli
