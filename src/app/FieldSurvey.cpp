#include "app/FieldSurvey.h"

#include "app/RunFrame.h"
#include "app/VoWinApi.h"
#include "convert/KonvSimple.h"

namespace kelvo {

std::string FieldSurveyText(const std::string& inFile, TRunView& view, TVoWinApi& api) {
  view.SetStatus(SurveyStatusText);
  TKonvSimple survey(inFile, "^");
  view.SetGauge(0);
  survey.ClearSurvey();
  do {
    survey.SurveyRecord();
    view.SetGauge(survey.Percent());
    api.ProcessMessages();
  } while (!survey.EndOfInput);
  std::string text;
  for (const std::string& entry : survey.FinishSurvey()) {
    text += entry;
    text += "\r\n";
  }
  return text;
}

} // namespace kelvo
