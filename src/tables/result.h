#pragma once

// What a step that the user's files or words can make fail gives back: its value, or the one
// error that stopped it. Returned by the reader, the loaders, the load request, the folder list
// and the command line's checks; the front ends look at it in one place each.

#include <optional>
#include <utility>
#include <variant>

#include "tables/error.h"

namespace sallowmere {

// The value a step made, or the Error that stopped it; never neither. (Inside, the type is
// written sallowmere::Error, as Error() names the accessor.)
template <class T>
class Result {
 public:
  Result(T value) : outcome_(std::in_place_index<0>, std::move(value)) {}
  Result(sallowmere::Error error) : outcome_(std::in_place_index<1>, std::move(error)) {}

  // Whether the step went through, so that the value is there.
  explicit operator bool() const { return outcome_.index() == 0; }
  // The error that stopped the step; nullptr when it went through.
  const sallowmere::Error* Error() const { return std::get_if<1>(&outcome_); }

  // The value, which is there only when the step went through.
  T& operator*() { return std::get<0>(outcome_); }
  const T& operator*() const { return std::get<0>(outcome_); }
  T* operator->() { return &std::get<0>(outcome_); }
  const T* operator->() const { return &std::get<0>(outcome_); }

 private:
  std::variant<T, sallowmere::Error> outcome_;
};

// A step that gives back nothing went through, or the Error that stopped it.
template <>
class Result<void> {
 public:
  Result() = default;
  Result(sallowmere::Error error) : error_(std::move(error)) {}

  explicit operator bool() const { return !error_; }
  const sallowmere::Error* Error() const { return error_ ? &*error_ : nullptr; }

 private:
  std::optional<sallowmere::Error> error_;
};

}  // namespace sallowmere
