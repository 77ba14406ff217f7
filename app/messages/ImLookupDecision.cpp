#include "ImLookupDecision.h"

#include <cctype>

namespace {

constexpr uint32_t kAuditoriumKind = 0x801;

// The place kind with its high byte and low five bits kept.
uint32_t NormalisedPlaceKind(uint32_t kind) { return kind & 0xFF1F; }

}  // namespace

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto left = static_cast<unsigned char>(a[i]);
    const auto right = static_cast<unsigned char>(b[i]);
    if (std::tolower(left) != std::tolower(right)) return false;
  }
  return true;
}

CImLookupDecision DecideImLookup(const std::vector<CImLookupResult>& results, const std::string& typedName,
                                 bool availabilityQuery) {
  if (results.empty()) return {ImLookupOutcome::kNotFound, 0};
  if (results.size() > 1) return {ImLookupOutcome::kAmbiguous, 0};
  const CImLookupResult& found = results.front();
  if (!SameNameIgnoringCase(found.displayName, typedName)) return {ImLookupOutcome::kNotFound, 0};
  if (availabilityQuery) return {ImLookupOutcome::kAvailable, 0};
  if (NormalisedPlaceKind(found.placeKind) == kAuditoriumKind && found.stageReference == 0)
    return {ImLookupOutcome::kOnStage, 0};
  return {ImLookupOutcome::kSend, found.owner};
}
