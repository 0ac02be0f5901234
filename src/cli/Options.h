#pragma once
// The options of kelvokonv and how they change the window state that start-up
// built from the settings file.
#include <optional>
#include <string>
#include <vector>

#include "app/MainState.h"

namespace kelvo::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;
// A run stopped by a signal exits with 128 + the signal (130 for Ctrl-C).
inline constexpr int ExitSignalBase = 128;

enum class TInputFormat { Auto, Iso, Line, MarcXml };

// What "-" as INPUT reads.
inline constexpr const char* StandardInputName = "/dev/stdin";

struct TCliOptions {
  bool BatchForm = false; // the program's own batch argument
  std::string BatchArgument;
  std::optional<std::string> Profile;
  std::string In, Out;
  std::string InPositional, OutPositional;
  TInputFormat Format = TInputFormat::Auto;
  std::optional<std::string> Charset; // a name of CharsetNames
  std::optional<std::string> Jobs;    // threads of the run, checked by ParseJobs
  std::string Ini;
  std::string DataDir;
  std::string FilterFile;
  std::optional<bool> Filter;
  bool NoConvert = false;
  std::optional<bool> RemoveDuplicateLines;
  std::optional<bool> SubfieldLines;
  std::string Periodicals;
  std::string Weeded;
  std::string MultiVolume;
  std::string Report;
  std::optional<std::string> WeedingCriteria;
  std::vector<std::string> Kv21Options;
  bool NoDiacritics = false;
  bool OnlyImproperParts = false;
  bool NoSeparateProperWorks = false;
  bool Survey = false;
  bool Quiet = false;
};

// What ends kelvokonv before or instead of a run: a Swedish message and the
// exit status (ExitUsage for a wrong command line).
struct TCliError {
  std::string Message;
  int Status;
};

// Parses argv. Returns an exit status when the program is done already
// (--help, --version); throws TCliError for a wrong command line. File names
// stay the system's bytes; other texts are converted to code page 1252.
std::optional<int> ParseOptions(int argc, char** argv, TCliOptions& options);

// Applies the options over the state that start-up read; throws TCliError.
void ApplyOptions(const TCliOptions& options, TMainState& state);

} // namespace kelvo::cli
