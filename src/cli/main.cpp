// kelvokonv: the conversion from the command line, with the settings file of
// the window and the program's own batch argument.
#include <cstdio>
#include <exception>
#include <string>

#include "app/AppPaths.h"
#include "app/FieldSurvey.h"
#include "app/IniFile.h"
#include "app/InputFormat.h"
#include "app/ProfileRegistry.h"
#include "app/ProfileRun.h"
#include "app/RunReport.h"
#include "app/StartUp.h"
#include "cli/Console.h"
#include "cli/Options.h"
#include "record/MarcError.h"
#include "record/MarcXmlReader.h"

namespace kelvo::cli {

namespace {

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

void PrintSummary(const TRunFrame& frame, const std::string& reportFile) {
  std::string text;
  for (const std::string& line : RunSummaryLines(frame))
    text += line + "\n";
  if (!reportFile.empty()) text += "Rapport: " + reportFile + "\n";
  WriteText(stderr, text);
}

int ExitStatus(TRunOutcome outcome, const TCliOptions& o, const TRunFrame& frame,
               const std::string& reportFile = {}) {
  if (!o.Quiet && frame.RecordCount > 0) PrintSummary(frame, reportFile);
  switch (outcome) {
  case TRunOutcome::Completed:
    return ExitOk;
  case TRunOutcome::Cancelled: // on the command line only a signal cancels
    return ExitSignalBase + TConsoleWinApi::Interrupted();
  default:
    return ExitFailed;
  }
}

// The checks that the window makes by disabling Start, with a message each.
void CheckFiles(const TCliOptions& o, const TMainState& state) {
  if (!HasFileName(state.InFile))
    throw TCliError{"ingen infil angiven (INFIL, --in eller \"infil\" i inst\xe4llningsfilen)", ExitUsage};
  if (!FileExists(state.InFile)) throw TCliError{"infilen finns inte: " + state.InFile, ExitFailed};
  if (!o.FilterFile.empty() && !FileExists(o.FilterFile))
    throw TCliError{"filterfilen finns inte: " + o.FilterFile, ExitFailed};
}

// For --format auto a file is looked at here; a stream can be read only
// once, so the run decides from what its reader has buffered.
void SetSourceFormat(const TCliOptions& o, TMainState& state) {
  const bool file = IsRegularFile(state.InFile);
  // A stream is looked at only once it is open (what the reader buffers), and never as MARCXML.
  state.SourceIsMarcXml = o.Format == TInputFormat::MarcXml ||
                          (o.Format == TInputFormat::Auto && file && LooksLikeMarcXml(state.InFile));
  state.SourceIsIso =
      !state.SourceIsMarcXml && (o.Format == TInputFormat::Iso ||
                                 (o.Format == TInputFormat::Auto && file && LooksLikeIso2709(state.InFile)));
  state.FormatFromInput = o.Format == TInputFormat::Auto && !file;
}

int Survey(const TMainState& state, TConsoleShell& shell) {
  if (state.SourceIsMarcXml)
    throw TCliError{"f\xe4ltunders\xf6kningen kr\xe4ver en infil i radformat, inte MARCXML", ExitFailed};
  if (state.SourceIsIso)
    throw TCliError{
        "f\xe4ltunders\xf6kningen kr\xe4ver en infil i radformat, inte Iso2709 (ange --format line "
        "om filen \xe4r i radformat)",
        ExitFailed};
  const auto text = FieldSurveyText(state.InFile, shell.Frame);
  if (!text) return ExitSignalBase + TConsoleWinApi::Interrupted();
  shell.Api.SetClipboardText(*text);
  return ExitOk;
}

// The run and, with --report, its report: written once the run has read
// records, also when nothing was left out. A report that cannot be written
// fails the run.
int RunAndReport(const TMainState& state, const TCliOptions& o, TConsoleShell& shell) {
  if (state.ReportFile.empty()) return ExitStatus(RunProfile(state, shell.Frame), o, shell.Frame);
  TRunReport report(state.ReportFile);
  report.Attach(shell.Frame);
  const TRunOutcome outcome = RunProfile(state, shell.Frame);
  report.Detach();
  if (shell.Frame.RecordCount == 0) return ExitStatus(outcome, o, shell.Frame);
  try {
    report.Write();
  } catch (const MarcError& e) {
    ExitStatus(outcome, o, shell.Frame);
    throw TCliError{e.what(), ExitFailed};
  }
  return ExitStatus(outcome, o, shell.Frame, report.FileName());
}

int Run(int argc, char** argv) {
  TCliOptions o;
  if (const auto status = ParseOptions(argc, argv, o)) return *status;

  std::string programFile = ProgramFilePath();
  if (programFile.empty()) programFile = argv[0];
  TMainState state;
  if (!o.DataDir.empty()) {
    if (!DirectoryExists(o.DataDir)) throw TCliError{"datamappen finns inte: " + o.DataDir, ExitFailed};
    state.DataFolder = WithSeparator(o.DataDir);
  }
  SetProgramPaths(state, programFile);
  if (!o.Ini.empty() && !FileExists(o.Ini) && !DirectoryExists(o.Ini))
    throw TCliError{"inst\xe4llningsfilen finns inte: " + o.Ini, ExitFailed};
  const TIniFile ini(o.Ini.empty() ? SettingsFileFor(programFile) : o.Ini);
  if (!ini.LoadError().empty()) throw TCliError{ini.LoadError(), ExitFailed};
  PrepareStartUp(state, ini, o.BatchArgument);

  TConsoleShell shell(o.Quiet, &ini);
  TConsoleWinApi::CatchInterrupt();
  if (o.BatchForm) {
    state.Batch = true; // the command line has no interactive use to fall back on
    return ExitStatus(RunBatch(state, shell.Frame), o, shell.Frame);
  }

  ApplyOptions(o, state);
  CheckFiles(o, state);
  SetSourceFormat(o, state);
  if (o.Survey) return Survey(state, shell);
  if (!HasFileName(state.OutFile))
    throw TCliError{"ingen utfil angiven (UTFIL, --out eller \"utfil\" i inst\xe4llningsfilen)", ExitUsage};
  if (!ProfileInfo(state.Profile))
    throw TCliError{UnknownProfileText(state.Profile) +
                        " (inst\xe4llningen \"profil\" i avsnittet \"diverse\"; ange --profile)",
                    ExitFailed};
  return RunAndReport(state, o, shell);
}

} // namespace

} // namespace kelvo::cli

int main(int argc, char** argv) {
  using namespace kelvo::cli;
  try {
    return Run(argc, argv);
  } catch (const TCliError& f) {
    WriteText(stderr,
              "kelvokonv: " + f.Message + (f.Status == ExitUsage ? "\nSe kelvokonv --help.\n" : "\n"));
    return f.Status;
  } catch (const std::exception& e) {
    WriteText(stderr, std::string("kelvokonv: ") + e.what() + "\n");
    return ExitFailed;
  }
}
