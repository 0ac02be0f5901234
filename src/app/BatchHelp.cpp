#include "app/BatchHelp.h"

#include <fstream>

#include "app/VoWinApi.h"
#include "app/voMsg.h"

namespace kelvo {

namespace {

constexpr std::string_view PageHead =
    "<html><head><title>Batchkommandon f\xf6r konverteringsprogram Sorvia till Kelvo</title></head><body>"
    "<b>Kommandonyckelord:</b><ul>"
    "<li><b>/bat</b> K\xf6r i batchl\xe4ge (konv startar omedelbart och programmet avslutas efter "
    "k\xf6rning)</li>"
    "<li><b>/in=</b> Markerar att infil f\xf6ljer</li>"
    "<li><b>/ut=</b> Markerar att utfil f\xf6ljer</li></ul>"
    "<p>Exempel p\xe5 kommandorad. (F\xf6ruts\xe4ttningar: Infilen har namnet frnSorvia.m21 och utfilen har "
    "namnet tillKelvo.mrc. B\xe5"
    "da filerna finns i samma mapp som konverteringsprogrammet och vi \xf6nskar batchk\xf6rning)"
    "<p><b>Kommandoradsexempel:</b><br>";

constexpr std::string_view PageNotes =
    "<p><b>OBS!</b> Kommandonyckelorden <b>m\xe5ste</b> skrivas med gemener"
    "<br><b>OBS!</b>Undvik mellanslag i kommandoraden. Mellanslag f\xe5r f\xf6rekomma men d\xe5 m\xe5ste "
    "hela "
    "kommandoraden omges av citattecken."
    "</body></html>";

} // namespace

std::string BatchHelpText(std::string_view programFile, std::string_view programFolder) {
  std::string text(PageHead);
  text += programFile;
  text += " ";
  text += "<b>/bat</b>";
  text += "<b>/in=</b>";
  text += programFolder;
  text += "frnSorvia.m21";
  text += "<b>/ut=</b>";
  text += programFolder;
  text += "tillKelvo.mrc";
  text += PageNotes;
  return text;
}

bool ShowBatchHelp(const TMainState& state, TVoWinApi& api, TVoMsg& msg) {
  const std::string fileName = state.ProgramFolder + std::string(BatchHelpFileName);
  const std::string text = BatchHelpText(state.ProgramFile, state.ProgramFolder);
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) {
    msg.ErrorBox("Kan ej skriva hj\xe4lpsidan " + fileName);
    return false;
  }
  api.ShellOpen(fileName, "open");
  return true;
}

} // namespace kelvo
