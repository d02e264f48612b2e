#include "qt/side_effects.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QWidget>

#include "qt/text_codec.h"
#include "window/form_layout.h"

namespace sallowmere::qt {

void DesktopSideEffects::ShowMessage(window::MessageIcon icon, const MessageText& text) {
  const QString title = TableText(window::kMessageTitle);
  if (icon == window::MessageIcon::kWarning) {
    QMessageBox::warning(window_, title, ToQString(text), QMessageBox::Ok);
  } else {
    QMessageBox::information(window_, title, ToQString(text), QMessageBox::Ok);
  }
}

void DesktopSideEffects::EndProgram() {
  if (window_ != nullptr) window_->close();
  QCoreApplication::exit(0);
}

}  // namespace sallowmere::qt
