#include <QApplication>

#include "ui/form1.h"
#include "ui/side_effects.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Sallowmere"));
  sallowmere::ui::DesktopSideEffects effects;
  sallowmere::ui::Form1 form(effects);
  effects.SetWindow(&form);
  form.show();
  return QApplication::exec();
}
