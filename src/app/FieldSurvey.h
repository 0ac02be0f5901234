#pragma once
// The field survey of a line-format file: every tag that occurs with the
// subfield codes seen with it.
#include <optional>
#include <string>
#include <string_view>

namespace kelvo {

class TRunFrame;

inline constexpr std::string_view SurveyStatusText = "Samlar in unika f\xe4lt/delf\xe4lt...";

// Surveys the file record by record in the run frame, as a run goes: Cancel
// shown and Start disabled, the status "Samlar in unika fält/delfält..."
// followed every 200 records by the count so far, the gauge and the pending
// events after each record. Returns the result, one entry a line, each ended
// by CR LF; none when Cancel stopped it. The caller puts the result where it
// goes (clipboard, standard output) and empties the status. A file that
// cannot be opened raises MarcError naming it before anything is shown.
std::optional<std::string> FieldSurveyText(const std::string& inFile, TRunFrame& frame);

} // namespace kelvo
