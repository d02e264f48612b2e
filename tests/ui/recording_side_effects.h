#pragma once

#include <QStringList>

#include "ui/side_effects.h"

namespace sallowmere::ui {

// Records the messages the window would show and the ends it would make, showing nothing.
class RecordingSideEffects : public SideEffects {
 public:
  void ShowMessage(const QString& text) override { messages << text; }
  void ShowWarning(const QString& text) override {
    messages << text;
    warnings << text;
  }
  void EndProgram() override { ++ends; }

  QStringList messages;  // every message, warnings included, in order
  QStringList warnings;
  int ends = 0;
};

}  // namespace sallowmere::ui
