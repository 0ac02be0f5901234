#include "cli/Options.h"

#include <CLI/CLI.hpp>

#include "app/CommandLine.h"
#include "app/InputFormat.h"
#include "app/ProfileRegistry.h"
#include "app/Settings.h"
#include "cli/Console.h"
#include "record/CharsetDecoder.h"
#include "record/vostr.h"

namespace kelvo::cli {

namespace {

constexpr const char* Version = "kelvokonv 3.16";

[[noreturn]] void Usage(const std::string& message) { throw TCliError{message, ExitUsage}; }

// The terminal gives UTF-8; the program works in code page 1252 (the help
// texts here too: WriteText converts them on the way out).
std::string FromTerminal(const std::string& s) { return Utf8ToCp1252(s); }

// The help in Swedish: the formatter's labels, the group of the options
// (every option is added after this) and, per option, the name of its value.
void SetSwedishLabels(CLI::App& app) {
  auto formatter = app.get_formatter();
  formatter->label("Usage", "Anv\xe4ndning");
  formatter->label("OPTIONS", "FLAGGOR");
  formatter->label("Positionals", "Argument");
  formatter->label("REQUIRED", "KR\xc4VS");
  formatter->label("Env", "Milj\xf6variabel");
  formatter->label("Needs", "Kr\xe4ver");
  formatter->label("Excludes", "Utesluter");
  app.option_defaults()->group("Flaggor");
}

} // namespace

std::optional<int> ParseOptions(int argc, char** argv, TCliOptions& o) {
  if (argc == 2 && IsBatchArgument(argv[1])) {
    o.BatchForm = true;
    o.BatchArgument = argv[1]; // file names in it: bytes as they are
    return std::nullopt;
  }

  CLI::App app{"Konverterar en fil med MARC-poster till Kelvos radformat (*.mrc).\n"
               "  kelvokonv [FLAGGOR] [INFIL [UTFIL]]\n"
               "  kelvokonv /bat/in=INFIL/ut=UTFIL[/iso=1][/oeg=1][/egs=1]",
               "kelvokonv"};
  SetSwedishLabels(app);
  app.set_help_flag("--help", "Visar den h\xe4r hj\xe4lpen");
  app.set_version_flag("--version", Version, "Visar programmets version");
  app.allow_extras();

  std::string format = "auto";
  std::string charset;
  bool filterOn = false, filterOff = false, dupRemove = false, dupKeep = false, sfOn = false, sfOff = false;
  std::string criteria, profile;
  std::string profileHelp = "Konverteringsprofil";
  for (const TProfileInfo& info : Profiles())
    profileHelp += (info.Number == Profiles().front().Number ? " " : ", ") + std::to_string(info.Number) +
                   " " + std::string(info.Title);
  auto* profileOpt =
      app.add_option("-p,--profile", profile, profileHelp + " (standard: profil i inst\xe4llningsfilen)")
          ->type_name("N");
  app.add_option("-i,--in", o.In, "Infil (standard: infil i inst\xe4llningsfilen)")->type_name("FIL");
  app.add_option("-o,--out", o.Out, "Utfil, - f\xf6r standard ut (standard: utfil i inst\xe4llningsfilen)")
      ->type_name("FIL");
  app.add_option("INFIL", o.InPositional, "Infil, - f\xf6r standard in")->type_name("");
  app.add_option("UTFIL", o.OutPositional, "Utfil, - f\xf6r standard ut")->type_name("");
  app.add_option("--format", format, "Infilens format: iso, line, marcxml eller auto (standard)")
      ->type_name("FORMAT");
  auto* charsetOpt =
      app.add_option("--charset", charset,
                     "Infilens teckenupps\xe4ttning: auto, utf-8, marc-8 eller cp1252 (standard: "
                     "teckenuppsattning i inst\xe4llningsfilen, annars auto)")
          ->type_name("NAMN");
  app.add_option("--ini", o.Ini,
                 "Inst\xe4llningsfil (standard: programfilens s\xf6kv\xe4g med .ini, f\xf6r ett installerat "
                 "program ~/.config/kelvo/)")
      ->type_name("FIL");
  app.add_option("--data-dir", o.DataDir,
                 "Mapp med filterfiler, LokalAnpassTrux.xml och mediekoder.txt (standard: programmets mapp, "
                 "f\xf6r ett installerat program share/kelvo och ~/.local/share/kelvo/)")
      ->type_name("MAPP");
  app.add_option("--filter-file", o.FilterFile, "Filterfil i st\xe4llet f\xf6r profilens egen")
      ->type_name("FIL");
  app.add_flag("--filter", filterOn, "F\xe4ltfiltret p\xe5");
  app.add_flag("--no-filter", filterOff, "F\xe4ltfiltret av");
  app.add_flag("--no-convert", o.NoConvert, "Posterna l\xe4ggs ut of\xf6r\xe4ndrade");
  app.add_flag("--remove-duplicate-lines", dupRemove, "Dubblettrader raderas");
  app.add_flag("--keep-duplicate-lines", dupKeep, "Dubblettrader beh\xe5lls");
  app.add_flag("--subfield-lines", sfOn, "Varje delf\xe4lt p\xe5 egen rad");
  app.add_flag("--no-subfield-lines", sfOff, "Delf\xe4lten p\xe5 f\xe4ltets rad");
  app.add_option("--periodicals", o.Periodicals, "Periodika separeras till FIL")->type_name("FIL");
  app.add_option("--weeded", o.Weeded, "Utgallrade poster separeras till FIL")->type_name("FIL");
  app.add_option("--multi-volume", o.MultiVolume,
                 "Profil 2: filen f\xf6r egentliga flerbandsverk (standard: flerband.txt bredvid utfilen)")
      ->type_name("FIL");
  app.add_option("--report", o.Report,
                 "Rapport \xf6ver poster som inte skrevs och tecken som ersattes skrivs till FIL")
      ->type_name("FIL");
  auto* crit =
      app.add_option("--weeding-criteria", criteria, "Gallringskoder \xe5tskilda av |")->type_name("KODER");
  app.add_option("--option", o.Kv21Options,
                 "Profil 1: fld852cunconditionally, voyageridkeep eller keepold035handling (upprepbar)")
      ->type_name("NAMN");
  app.add_flag("--no-diacritics", o.NoDiacritics, "Profil 2: teckens\xf6vers\xe4ttningen av");
  app.add_flag("--only-improper-parts", o.OnlyImproperParts, "Profil 2: endast oegentliga flerbandsdelar");
  app.add_flag("--no-separate-proper-works", o.NoSeparateProperWorks,
               "Profil 2: egentliga flerbandsverk stannar i utfilen");
  app.add_flag("--survey", o.Survey, "Listar f\xe4lt och delf\xe4ltskoder i en infil i radformat");
  std::string jobs;
  auto* jobsOpt =
      app.add_option("--jobs", jobs,
                     "Antal tr\xe5"
                     "dar som konverterar (profil 0 och 1; profil 2 l\xe4ser f\xf6re p\xe5 en egen "
                     "tr\xe5"
                     "d; standard: tradar i "
                     "inst\xe4llningsfilen, annars en per processork\xe4rna)")
          ->type_name("N");
  app.add_flag("-q,--quiet", o.Quiet, "Ingen f\xf6rlopps- och slutrapport");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    WriteText(stdout, app.help());
    return ExitOk;
  } catch (const CLI::CallForVersion&) {
    std::puts(Version);
    return ExitOk;
  } catch (const CLI::ArgumentMismatch& e) {
    Usage("v\xe4rde saknas eller \xe4r f\xf6r m\xe5nga (" + FromTerminal(e.what()) + ")");
  } catch (const CLI::ParseError& e) {
    Usage("felaktig kommandorad (" + FromTerminal(e.what()) + ")");
  }

  const std::vector<std::string> extras = app.remaining();
  if (!extras.empty()) {
    const bool isOption = !extras.front().empty() && extras.front().front() == '-';
    Usage((isOption ? "ok\xe4nd flagga: " : "f\xf6r m\xe5nga argument: ") + FromTerminal(extras.front()));
  }
  const std::pair<const char*, bool> conflicts[] = {
      {"--filter och --no-filter", filterOn && filterOff},
      {"--remove-duplicate-lines och --keep-duplicate-lines", dupRemove && dupKeep},
      {"--subfield-lines och --no-subfield-lines", sfOn && sfOff},
      {"--in och INFIL", !o.In.empty() && !o.InPositional.empty()},
      {"--out och UTFIL", !o.Out.empty() && !o.OutPositional.empty()},
  };
  for (const auto& [names, clash] : conflicts)
    if (clash) Usage(std::string(names) + " kan inte anges samtidigt");

  if (format == "iso")
    o.Format = TInputFormat::Iso;
  else if (format == "line")
    o.Format = TInputFormat::Line;
  else if (format == "marcxml")
    o.Format = TInputFormat::MarcXml;
  else if (format != "auto")
    Usage("ok\xe4nt format: " + FromTerminal(format) + " (iso, line, marcxml eller auto)");
  if (charsetOpt->count() > 0) {
    if (!CharsetFromName(charset))
      Usage("ok\xe4nd teckenupps\xe4ttning: " + FromTerminal(charset) +
            " (auto, utf-8, marc-8 eller cp1252)");
    o.Charset = charset;
  }
  if (jobsOpt->count() > 0) {
    if (!ParseJobs(jobs))
      Usage("ogiltigt antal tr\xe5"
            "dar: " +
            FromTerminal(jobs) + " (ett heltal fr\xe5n 1 till " + std::to_string(MaxJobs) + ")");
    o.Jobs = jobs;
  }
  for (const std::string& name : o.Kv21Options)
    if (!IsKv21Option(name))
      Usage("ok\xe4nd profil 1-option: " + FromTerminal(name) +
            " (fld852cunconditionally, voyageridkeep eller keepold035handling)");
  if (filterOn || filterOff) o.Filter = filterOn;
  if (dupRemove || dupKeep) o.RemoveDuplicateLines = dupRemove;
  if (sfOn || sfOff) o.SubfieldLines = sfOn;
  if (profileOpt->count() > 0) o.Profile = FromTerminal(profile);
  if (crit->count() > 0) o.WeedingCriteria = FromTerminal(criteria);
  return std::nullopt;
}

void ApplyOptions(const TCliOptions& o, TMainState& state) {
  if (o.Profile) {
    const int profile = StrToIntDef(*o.Profile, -1);
    if (!ProfileInfo(profile)) Usage("ok\xe4nd profil: " + *o.Profile + " (" + ProfileNumbersText() + ")");
    state.Profile = profile;
  }
  state.FilterFile = o.FilterFile.empty() ? ProfileFilterFile(state) : o.FilterFile;

  if (!o.In.empty() || !o.InPositional.empty()) state.InFile = o.In.empty() ? o.InPositional : o.In;
  if (state.InFile == "-") state.InFile = StandardInputName;
  if (!o.Out.empty() || !o.OutPositional.empty()) state.OutFile = o.Out.empty() ? o.OutPositional : o.Out;

  if (o.Filter) state.FilterOn = *o.Filter;
  if (o.NoConvert) state.ConvertToKv2 = false;
  if (o.RemoveDuplicateLines) state.RemoveDuplicateLines = *o.RemoveDuplicateLines;
  if (o.SubfieldLines) state.SubfieldLines = *o.SubfieldLines;
  if (!o.Periodicals.empty()) {
    state.PeriodicalsSep = true;
    state.PeriodicalsFile = o.Periodicals;
  }
  if (!o.Weeded.empty()) {
    state.UtgallradeSeparera = true;
    state.WeededFile = o.Weeded;
  }
  if (o.WeedingCriteria) state.WeedingCriteria = *o.WeedingCriteria;
  if (o.Charset) state.Charset = *o.Charset;
  if (o.Jobs) state.Jobs = *o.Jobs;
  state.Kv21Options = o.Kv21Options;
  if (o.NoDiacritics) state.DiakriterTranslate = false;
  if (o.OnlyImproperParts) state.DalkOegentligaDelarSpecial = true;
  if (o.NoSeparateProperWorks) state.DalkEgentligaFlerbandSepareras = false;
  state.MultiVolumeFile = o.MultiVolume;
  if (o.Report == "-") Usage("--report kr\xe4ver ett filnamn, inte -");
  state.ReportFile = o.Report;
}

} // namespace kelvo::cli
