#include "ZrCommandTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using R = ZrCommandRule;

ZrCommandState State(bool running, bool placed, bool connected, bool auditorium, bool ready) {
  ZrCommandState state;
  state.running = running;
  state.placed = placed;
  state.connected = connected;
  state.auditorium = auditorium;
  state.indicatorReady = ready;
  return state;
}

constexpr R kRules[] = {R::kAlways,     R::kRunning,    R::kPlaced,        R::kConnected,
                        R::kReadyConnected, R::kReady, R::kAuditorium, R::kNotAuditorium,
                        R::kRunningNotConnected};

// During start-up and from the first step of shut-down nothing but the
// "always" commands may run, whatever the place still reports.
TEST(CommandRules, NothingButAlwaysHoldsWhileNotRunning) {
  for (int bits = 0; bits < 16; ++bits) {
    const ZrCommandState state = State(false, bits & 1, bits & 2, bits & 4, bits & 8);
    for (const R rule : kRules) {
      SCOPED_TRACE(testing::Message() << "rule " << int(rule) << " state " << bits);
      EXPECT_EQ(CommandRuleHolds(rule, state), rule == R::kAlways);
    }
  }
}

struct RuleCase {
  const char* name;
  ZrCommandState state;
  std::vector<R> holding;
};

TEST(CommandRules, RunningStates) {
  const std::vector<RuleCase> cases = {
      {"started, no place", State(true, false, false, false, false),
       {R::kAlways, R::kRunning, R::kRunningNotConnected}},
      {"placed, connecting", State(true, true, false, false, true),
       {R::kAlways, R::kRunning, R::kPlaced, R::kReady, R::kRunningNotConnected}},
      {"connected, indicator busy", State(true, true, true, false, false),
       {R::kAlways, R::kRunning, R::kPlaced, R::kConnected, R::kNotAuditorium}},
      {"connected and ready", State(true, true, true, false, true),
       {R::kAlways, R::kRunning, R::kPlaced, R::kConnected, R::kReadyConnected, R::kReady,
        R::kNotAuditorium}},
      {"in an auditorium", State(true, true, true, true, true),
       {R::kAlways, R::kRunning, R::kPlaced, R::kConnected, R::kReadyConnected, R::kReady,
        R::kAuditorium}},
  };
  for (const RuleCase& c : cases) {
    for (const R rule : kRules) {
      SCOPED_TRACE(testing::Message() << c.name << ", rule " << int(rule));
      const bool expected = std::find(c.holding.begin(), c.holding.end(), rule) != c.holding.end();
      EXPECT_EQ(CommandRuleHolds(rule, c.state), expected);
    }
  }
}

struct LookupCase {
  uint32_t id;
  bool deferred;
  ZrCommandTarget target;
  R rule;
};

TEST(DeferredCommands, EachGoesToItsObjectWithItsRule) {
  using T = ZrCommandTarget;
  const std::vector<LookupCase> cases = {
      {165, true, T::kPageFrame, R::kAlways},        // brand button
      {32629, true, T::kPageFrame, R::kRunning},     // back
      {32876, true, T::kNavigation, R::kRunningNotConnected},
      {32782, true, T::kOwnUser, R::kReadyConnected},  // enter or leave the room
      {57634, true, T::kChatPages, R::kAlways},      // copy
      {32859, true, T::kDialogs, R::kAlways},        // open location
      {1326, true, T::kDialogs, R::kNotAuditorium},  // private room
      {32854, true, T::kAuditorium, R::kAuditorium}, // find me a seat
      {32779, true, T::kAvatars, R::kConnected},     // show avatars
      // The application's own commands and unknown ids are not deferred.
      {32847, false, T::kCount, R::kAlways},  // classic layout
      {32829, false, T::kCount, R::kAlways},  // save layout
      {1325, false, T::kCount, R::kAlways},   // guided tours menu
      {0, false, T::kCount, R::kAlways},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.id);
    const ZrDeferredCommand* command = FindDeferredCommand(c.id);
    ASSERT_EQ(command != nullptr, c.deferred);
    if (!command) continue;
    EXPECT_EQ(command->id, c.id);
    EXPECT_EQ(command->target, c.target);
    EXPECT_EQ(command->rule, c.rule);
  }
}

}  // namespace
