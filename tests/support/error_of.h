#pragma once

#include <gtest/gtest.h>

#include "tables/load_error.h"

namespace sallowmere::testing {

// The error `result` (a Result) holds. When it holds none, records a test failure and returns an
// empty error, so the caller's checks fail too.
template <class ResultT>
LoadError ErrorOf(const ResultT& result) {
  if (const LoadError* error = result.Error()) return *error;
  ADD_FAILURE() << "no LoadError was given back";
  return LoadError("", 0, LoadCause::kReadError, "");
}

}  // namespace sallowmere::testing
