#include "window/side_effects.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "recording_view.h"

namespace sallowmere::window {
namespace {

// What a step throws becomes one warning box, whatever it throws, and the caller goes on.
TEST(RunGuardedTest, AFaultBecomesAWarningBox) {
  RecordingView effects;
  RunGuarded(effects, [] {});
  RunGuarded(effects, [] { throw std::runtime_error("the disk is full"); });
  RunGuarded(effects, [] { throw 7; });
  EXPECT_EQ(effects.warnings,
            (std::vector<std::string>{
                "Something went wrong, and what you asked for was not done: the disk is full",
                "Something went wrong, and what you asked for was not done: an unknown fault"}));
  EXPECT_EQ(effects.messages, effects.warnings);
}

}  // namespace
}  // namespace sallowmere::window
