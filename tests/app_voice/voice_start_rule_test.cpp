// The conditions under which entering a place starts voice, and the choice
// between the normal and the diagnostics dispatch host.
#include "VoiceStartRule.h"

#include <gtest/gtest.h>

namespace {

VoiceStartFacts Ready() {
  VoiceStartFacts facts;
  facts.insidePlace = true;
  facts.controlExists = true;
  facts.voiceEnabled = true;
  return facts;
}

TEST(VoiceStartRule, StartsOnlyWhenEveryConditionHolds) {
  struct Case {
    const char* what;
    bool VoiceStartFacts::*fact;
    bool value;
  };
  const Case blockers[] = {
      {"in an auditorium", &VoiceStartFacts::auditorium, true},
      {"outside the place", &VoiceStartFacts::insidePlace, false},
      {"without a control", &VoiceStartFacts::controlExists, false},
      {"with voice disabled", &VoiceStartFacts::voiceEnabled, false},
      {"while a session runs", &VoiceStartFacts::running, true},
  };
  EXPECT_TRUE(ShouldStartVoice(Ready()));
  for (const Case& blocker : blockers) {
    VoiceStartFacts facts = Ready();
    facts.*blocker.fact = blocker.value;
    EXPECT_FALSE(ShouldStartVoice(facts)) << blocker.what;
  }
}

TEST(VoiceStartRule, DiagnosticsHostOnlyForAddressesWithItsText) {
  const std::string normal = "voice.example", diagnostics = "diag.example";
  struct Case {
    const char* address;
    const char* text;
    const std::string* host;
  };
  const Case cases[] = {
      {"http://places.example/diagnostics/room1", "/diagnostics/", &diagnostics},
      {"http://places.example/room1", "/diagnostics/", &normal},
      {"http://places.example/room1", "", &normal},
      {"", "", &normal},
  };
  for (const Case& test : cases)
    EXPECT_EQ(&ChooseVoiceHost(test.address, test.text, normal, diagnostics), test.host) << test.address;
}

}  // namespace
