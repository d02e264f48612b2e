#pragma once

#include <gtest/gtest.h>

#include "tables/load_error.h"

namespace sallowmere::testing {

// Runs `action`, which should throw a LoadError, and returns that error. When it throws none,
// records a test failure and returns an empty error, so the caller's checks fail too.
template <class Action>
LoadError CaughtLoadError(Action&& action) {
  try {
    action();
  } catch (const LoadError& error) {
    return error;
  }
  ADD_FAILURE() << "no LoadError was thrown";
  return LoadError("", 0, LoadCause::kReadError, "");
}

}  // namespace sallowmere::testing
