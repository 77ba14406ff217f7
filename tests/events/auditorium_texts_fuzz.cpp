// Any text as an announcement, vote definition or queue item, and what the
// event keeps of them: nothing crashes or reads out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>

#include "AuditoriumTexts.h"
#include "EventParticipation.h"
#include "EventQueue.h"
#include "VoteSelection.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  EventParticipation participation;
  participation.Take(text, ParseAnnouncement(text, "UNKNOWNEVENT"));
  participation.Prompt("Type your ", " here.");
  for (int number = 0; number <= 7; ++number) participation.KindName(number);
  if (const auto vote = ParseVoteDefinition(text)) {
    VoteSelection selection(static_cast<int>(vote->labels.size()), vote->maxSelections);
    for (unsigned char c : text) selection.Toggle(c % 12);
    VoteRequestText(vote->id, selection.Chosen());
  }
  EventQueue queue;
  if (const auto index = queue.Add(1, text)) {
    EventQueue::LineOf(queue.Find(*index)->item);
    AnswerToHostText(queue.Find(*index)->item, text);
    queue.Delete(*index);
  }
  CleanWelcomeText(text);
  ToggleSpeaker(text, 12);
  return 0;
}
