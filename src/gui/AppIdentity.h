#pragma once
// The names the desktop shows for the window and its icon, set once on the
// application by every program that shows the window.

namespace kelvo::gui {

// After QApplication is made; the icon comes from the program's resource file
// kelvokonv-gui.qrc, which each such program carries.
void SetApplicationIdentity();

} // namespace kelvo::gui
