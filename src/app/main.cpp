#include <QApplication>

#include "ui/form1.h"
#include "ui/side_effects.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sallowmere"));
  QApplication::setApplicationVersion(QStringLiteral(SALLOWMERE_VERSION));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(SALLOWMERE_APP_ID));
  sallowmere::ui::DesktopSideEffects effects;
  sallowmere::ui::Form1 form(effects);
  effects.SetWindow(&form);
  form.show();
  return QApplication::exec();
}
