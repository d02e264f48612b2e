#include <QApplication>
#include <filesystem>
#include <system_error>

#include "qt/form1_window.h"
#include "qt/side_effects.h"

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
  std::error_code error;
  form.Start(std::filesystem::current_path(error));
  form.show();
  return QApplication::exec();
}
