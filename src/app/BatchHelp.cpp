#include "app/BatchHelp.h"

#include <fstream>

#include "app/VoWinApi.h"
#include "app/voMsg.h"
#include "record/vostr.h"

namespace kelvo {

namespace {

constexpr std::string_view PageHead =
    "<html><head><meta charset=\"utf-8\">"
    "<title>Batchkommandon f\xf6r konverteringsprogram Sorvia till Kelvo</title></head><body>"
    "<b>Kommandonyckelord:</b><ul>"
    "<li><b>/bat</b> K\xf6r i batchl\xe4ge (konv startar omedelbart och programmet avslutas efter "
    "k\xf6rning)</li>"
    "<li><b>/in=</b> Markerar att infil f\xf6ljer</li>"
    "<li><b>/ut=</b> Markerar att utfil f\xf6ljer</li></ul>"
    "<p>Exempel p\xe5 kommandorad. (F\xf6ruts\xe4ttningar: Infilen har namnet frnSorvia.m21 och utfilen har "
    "namnet tillKelvo.mrc. B\xe5"
    "da filerna finns i den mapp som kommandot k\xf6rs i och vi \xf6nskar batchk\xf6rning)"
    "<p><b>Kommandoradsexempel:</b><br>";

constexpr std::string_view PageNotes =
    "<p><b>OBS!</b> Kommandonyckelorden <b>m\xe5ste</b> skrivas med gemener"
    "<br><b>OBS!</b> Filnamnen kan inte inneh\xe5lla /, eftersom / skiljer nyckelorden \xe5t: ange dem "
    "i f\xf6rh\xe5llande till den aktuella mappen."
    "<br><b>OBS!</b>Undvik mellanslag i kommandoraden. Mellanslag f\xe5r f\xf6rekomma men d\xe5 m\xe5ste "
    "hela "
    "kommandoraden omges av citattecken."
    "</body></html>";

std::string HtmlEscaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    default:
      out += c;
    }
  }
  return out;
}

} // namespace

std::string BatchHelpText(std::string_view programFile) {
  std::string text(PageHead);
  text += HtmlEscaped(programFile);
  text += " <b>/bat</b><b>/in=</b>frnSorvia.m21<b>/ut=</b>tillKelvo.mrc";
  text += PageNotes;
  return text;
}

bool ShowBatchHelp(const TMainState& state, TVoWinApi& api, TVoMsg& msg) {
  const std::string fileName = state.OwnFolder + std::string(BatchHelpFileName);
  const std::string page = MessageToUtf8(BatchHelpText(state.ProgramFile));
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out.write(page.data(), static_cast<std::streamsize>(page.size()));
  out.close();
  if (!out) {
    msg.ErrorBox("Kan ej skriva hj\xe4lpsidan " + fileName);
    return false;
  }
  api.ShellOpen(fileName, "open");
  return true;
}

} // namespace kelvo
