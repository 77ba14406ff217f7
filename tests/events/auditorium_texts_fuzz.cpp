// Any text as an announcement, vote definition or queue item: nothing
// crashes or reads out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "AuditoriumTexts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ParseAnnouncement(text, "UNKNOWNEVENT");
  ParseVoteDefinition(text);
  ParseQueueItem(text);
  CleanWelcomeText(text);
  ToggleSpeaker(text, 12);
  return 0;
}
