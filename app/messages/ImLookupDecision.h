// What the Send Instant Message dialog does with the answer to its look-up
// of the typed name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One person of the answer, as the dialog needs it.
struct CImLookupResult {
  std::string displayName;
  uint32_t placeKind = 0;
  // The person's reference value in its place; 0 on an auditorium's stage.
  int32_t stageReference = 0;
  uint32_t owner = 0;
};

enum class ImLookupOutcome { kNotFound, kAmbiguous, kAvailable, kOnStage, kSend };

struct CImLookupDecision {
  ImLookupOutcome outcome = ImLookupOutcome::kNotFound;
  // The member to send to (kSend only).
  uint32_t recipient = 0;
};

CImLookupDecision DecideImLookup(const std::vector<CImLookupResult>& results, const std::string& typedName,
                                 bool availabilityQuery);

// Whether two names are the same without regard to case.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);
