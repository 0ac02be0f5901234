#pragma once
// kelvokonv run as a separate program for the end-to-end tests: arguments,
// standard input, environment and working folder in; exit status, standard
// output and standard error out; optionally a signal while it runs.
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo::testing {

struct TKelvokonvRun {
  std::vector<std::string> Args = {};
  std::string Program = KELVOKONV_PATH;
  std::string Stdin = {};            // fed through a pipe; standard input is empty otherwise
  std::vector<std::string> Env = {}; // "NAME=value", over this process's environment
  std::string WorkDir = {};          // empty: this process's
  int Signal = 0;                    // sent once SignalWhen holds (polled while the program runs)
  std::function<bool()> SignalWhen = [] { return true; };
};

struct TKelvokonvResult {
  int Status = -1; // the exit status, or 128 + the signal that ended the program
  std::string Out, Err;
};

TKelvokonvResult RunKelvokonv(const TKelvokonvRun& run);

// A folder of its own with a copy (a hard link) of kelvokonv, so that the
// program's settings file and data folder are this folder; removed afterwards.
class TProgramDir {
public:
  TProgramDir();
  ~TProgramDir();
  TProgramDir(const TProgramDir&) = delete;
  TProgramDir& operator=(const TProgramDir&) = delete;

  std::string File(std::string_view name) const { return (folder_ / name).string(); }
  std::string Write(std::string_view name, std::string_view content) const;
  std::string Program() const { return File("kelvokonv"); }
  // kelvokonv of this folder, started in this folder.
  TKelvokonvResult Run(TKelvokonvRun run) const;

private:
  std::filesystem::path folder_;
};

} // namespace kelvo::testing
