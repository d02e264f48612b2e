#pragma once

// A flag that is set for as long as a scope lasts: what the window's behaviour uses to tell that
// one of its handlers is running.

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
