#pragma once
// kelvokonv run as a separate program for the end-to-end tests: arguments,
// standard input, environment and working folder in; exit status, standard
// output, standard error and peak memory out; optionally a signal while it runs.
#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace kelvo::testing {

struct TKelvokonvRun {
  std::vector<std::string> Args = {};
  std::string Program = KELVOKONV_PATH; // or another program, such as a shell running kelvokonv
  std::string Stdin = {};               // fed through a pipe; standard input is empty otherwise
  std::vector<std::string> Env = {};    // "NAME=value", over this process's environment
  std::string WorkDir = {};             // empty: this process's
  int Signal = 0;                       // sent once SignalWhen holds (polled while the program runs)
  std::function<bool()> SignalWhen = [] { return true; };
  bool MeasureMemory = false; // fills MaxRssKb (not with Signal: the program runs under /usr/bin/time)
};

struct TKelvokonvResult {
  int Status = -1; // the exit status, or 128 + the signal that ended the program
  std::string Out, Err;
  long MaxRssKb = 0; // with MeasureMemory: the largest resident size the program reached
};

TKelvokonvResult RunKelvokonv(const TKelvokonvRun& run);

// A temporary folder beside kelvokonv with a copy (a hard link) of it, so
// that the program's settings file and data folder are this folder.
class TProgramDir : public TempDir {
public:
  TProgramDir();

  std::string Program() const { return File("kelvokonv"); }
  // kelvokonv of this folder, started in this folder.
  TKelvokonvResult Run(TKelvokonvRun run) const;
};

} // namespace kelvo::testing
