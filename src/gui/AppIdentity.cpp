#include "gui/AppIdentity.h"

#include <QApplication>
#include <QIcon>

namespace kelvo::gui {

void SetApplicationIdentity() {
  // The names the desktop shows, and the icon of the installed .desktop file.
  QApplication::setApplicationName(QStringLiteral("kelvokonv-gui"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kelvo konvertering"));
  QGuiApplication::setDesktopFileName(QStringLiteral("kelvokonv-gui"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/kelvokonv-gui.png")));
}

} // namespace kelvo::gui
