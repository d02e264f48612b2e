#include "ui/side_effects.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

namespace sallowmere::ui {

void DesktopSideEffects::ShowMessage(const QString& text) {
  QMessageBox::information(window_, QStringLiteral("Sallowmere"), text, QMessageBox::Ok);
}

void DesktopSideEffects::ShowWarning(const QString& text) {
  QMessageBox::warning(window_, QStringLiteral("Sallowmere"), text, QMessageBox::Ok);
}

void DesktopSideEffects::EndProgram() {
  if (window_ != nullptr) window_->close();
  QCoreApplication::exit(0);
}

}  // namespace sallowmere::ui
