// kelvokonv-gui: the conversion in a window. The first argument may hold the
// batch keywords (/bat/in=.../ut=...).
#include <QApplication>
#include <QIcon>
#include <string>

#include "gui/Screenshots.h"
#include "gui/frmMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The names the desktop shows, and the icon of the installed .desktop file.
  QApplication::setApplicationName(QStringLiteral("kelvokonv-gui"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kelvo konvertering"));
  QGuiApplication::setDesktopFileName(QStringLiteral("kelvokonv-gui"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/kelvokonv-gui.png")));
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--grab-widgets" && argc > 2) return kelvo::gui::GrabWidgets(argv[2], argc > 3 ? argv[3] : "");

  kelvo::gui::TMainWindowOptions options;
  options.FirstArgument = first;
  kelvo::gui::TfrmMain window(options);
  window.show();
  return app.exec();
}
