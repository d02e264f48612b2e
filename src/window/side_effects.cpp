#include "window/side_effects.h"

#include <exception>

namespace sallowmere::window {

void RunGuarded(SideEffects& effects, const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    effects.ShowMessage(MessageIcon::kWarning, UnexpectedError(error.what()));
  } catch (...) {
    effects.ShowMessage(MessageIcon::kWarning, UnexpectedError("an unknown fault"));
  }
}

}  // namespace sallowmere::window
