#include "app/FieldSurvey.h"

#include "app/RunFrame.h"
#include "app/VoWinApi.h"
#include "convert/KonvSimple.h"

namespace kelvo {

std::optional<std::string> FieldSurveyText(const std::string& inFile, TRunFrame& frame) {
  TKonvSimple survey(inFile, "^");
  TLoopGuard guard(frame);
  frame.BeginLoop();
  frame.View.SetStatus(std::string(SurveyStatusText));
  survey.ClearSurvey();
  do {
    ++frame.RecordCount;
    survey.SurveyRecord();
    if (frame.RecordCount % StatusInterval == 0)
      frame.View.SetStatus(std::string(SurveyStatusText) + " " + std::to_string(frame.RecordCount) +
                           " poster");
    frame.View.SetGauge(survey.Percent());
    frame.Api.ProcessMessages();
  } while (!survey.EndOfInput && !frame.Cancelled);
  if (frame.Cancelled) return std::nullopt;
  std::string text;
  for (const std::string& entry : survey.FinishSurvey()) {
    text += entry;
    text += "\r\n";
  }
  return text;
}

} // namespace kelvo
