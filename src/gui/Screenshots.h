#pragma once
// Pictures of the window for checking how it looks: the program's hidden
// switch "--grab-widgets FOLDER [ARGUMENT]" runs the window with its program
// file, settings file and filter files in FOLDER, converts the input that the
// settings and ARGUMENT name, and saves PNG pictures there: the main window
// before, during and after the run, the summary box, the About box and the
// filter editor.
#include <string>

namespace kelvo::gui {

// The names of the pictures written, one a line on standard output; 0 when
// all were written.
int GrabWidgets(const std::string& folder, const std::string& argument);

} // namespace kelvo::gui
