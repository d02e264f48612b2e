#pragma once

#include <gtest/gtest.h>

#include "tables/error.h"

namespace sallowmere::testing {

// The error `result` (a Result) holds. When it holds none, records a test failure and returns an
// empty error, so the caller's checks fail too.
template <class ResultT>
Error ErrorOf(const ResultT& result) {
  if (const Error* error = result.Error()) return *error;
  ADD_FAILURE() << "no Error was given back";
  return Error("", 0, ErrorCause::kReadError, "");
}

}  // namespace sallowmere::testing
