#include <QApplication>
#include <QStringList>
#include <filesystem>
#include <system_error>

#include "qt/form1_window.h"
#include "qt/side_effects.h"
#include "qt/text_codec.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sallowmere"));
  QApplication::setApplicationVersion(QStringLiteral(SALLOWMERE_VERSION));
  // Lets the desktop match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(SALLOWMERE_APP_ID));
  sallowmere::qt::DesktopSideEffects effects;
  sallowmere::qt::Form1Window form(effects);
  effects.SetWindow(&form);
  // The folder list starts in the working folder.
  form.Start(sallowmere::window::WorkingFolder());
  form.show();
  // A folder given on the command line (as a desktop's "Open with" gives it) is opened at once.
  if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1) {
    form.OpenFolder(sallowmere::qt::PathOfText(arguments.at(1)));
  }
  return QApplication::exec();
}
