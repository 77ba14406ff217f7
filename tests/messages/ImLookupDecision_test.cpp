#include "ImLookupDecision.h"

#include <gtest/gtest.h>

namespace {

CImLookupResult Person(const std::string& name, uint32_t placeKind = 0x800, int32_t stage = 1, uint32_t owner = 42) {
  return CImLookupResult{name, placeKind, stage, owner};
}

TEST(ImLookupDecision, OutcomeByAnswer) {
  struct Case {
    const char* what;
    std::vector<CImLookupResult> results;
    std::string typed;
    bool available;
    ImLookupOutcome outcome;
    uint32_t recipient;
  } cases[] = {
      {"none", {}, "bob", false, ImLookupOutcome::kNotFound, 0},
      {"two", {Person("bob"), Person("bobby")}, "bob", false, ImLookupOutcome::kAmbiguous, 0},
      {"other name", {Person("bobby")}, "bob", false, ImLookupOutcome::kNotFound, 0},
      {"case ignored", {Person("BoB")}, "bob", false, ImLookupOutcome::kSend, 42},
      {"availability", {Person("bob")}, "bob", true, ImLookupOutcome::kAvailable, 0},
      {"on the stage", {Person("bob", 0x0801, 0)}, "bob", false, ImLookupOutcome::kOnStage, 0},
      {"stage kind with high bits", {Person("bob", 0x08E1, 0)}, "bob", false, ImLookupOutcome::kOnStage, 0},
      {"auditorium audience", {Person("bob", 0x0801, 3)}, "bob", false, ImLookupOutcome::kSend, 42},
      {"plain place, reference 0", {Person("bob", 0x0800, 0)}, "bob", false, ImLookupOutcome::kSend, 42},
  };
  for (const Case& c : cases) {
    const CImLookupDecision decision = DecideImLookup(c.results, c.typed, c.available);
    EXPECT_EQ(decision.outcome, c.outcome) << c.what;
    EXPECT_EQ(decision.recipient, c.recipient) << c.what;
  }
}

TEST(ImLookupDecision, NamesCompareByteForByteBeyondAscii) {
  EXPECT_TRUE(SameNameIgnoringCase("J\xE9r\xF4me", "j\xE9R\xF4ME"));
  EXPECT_FALSE(SameNameIgnoringCase("ann", "anne"));
}

}  // namespace
