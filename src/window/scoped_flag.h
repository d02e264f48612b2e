#pragma once

// A flag that is set for as long as a scope lasts: what the window and its front ends use to tell
// that they are in the middle of something (pushing state to a view, reading the tables again).

namespace sallowmere::window {

// Sets `flag` when made and clears it when gone.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace sallowmere::window
