#pragma once
// The field survey of a line-format file: every tag that occurs with the
// subfield codes seen with it.
#include <string>

namespace kelvo {

class TRunView;
class TVoWinApi;

inline constexpr const char* SurveyStatusText = "Samlar in unika f\xe4lt/delf\xe4lt...";

// Shows "Samlar in unika fält/delfält...", surveys the file record by record
// (gauge and pending events after each, no cancel) and returns the result:
// one entry per line, each ended by CR LF. The caller puts it where it goes
// (clipboard, standard output) and then clears the gauge and the status.
// A file that cannot be opened raises MarcError naming it.
std::string FieldSurveyText(const std::string& inFile, TRunView& view, TVoWinApi& api);

} // namespace kelvo
