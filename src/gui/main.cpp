// kelvokonv-gui: the conversion in a window. The first argument may hold the
// batch keywords (/bat/in=.../ut=...).
#include <QApplication>

#include "gui/AppIdentity.h"
#include "gui/frmMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kelvo::gui::SetApplicationIdentity();
  kelvo::gui::TMainWindowOptions options;
  options.FirstArgument = argc > 1 ? argv[1] : "";
  kelvo::gui::TfrmMain window(options);
  window.show();
  return app.exec();
}
