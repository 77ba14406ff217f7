// The texts of an auditorium event: what the administrator announces, the
// votes and queue items hosts send, and the requests this user sends back.
// They arrive from the network: a text that does not follow its form gives
// nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct EventAnnouncement {
  // The event word is the unknown-event word: the auditorium is not active.
  bool inactive = false;
  std::string event;
  // The participation kinds (at most 6), for example "Question".
  std::vector<std::string> kinds;
  std::string text;
  // A trailing "+": a welcome picture follows.
  bool pictureFollows = false;
};

struct VoteDefinition {
  std::string id;
  std::string title;
  int maxSelections = 0;
  std::vector<std::string> labels;
  std::vector<std::string> texts;
  std::string prompt;
};

struct EventQueueItem {
  std::string kind;
  std::string questionId;
  std::string asker;
  std::string question;
};

constexpr size_t kMaxEventKinds = 6;
constexpr size_t kMaxQuestionChars = 200;
constexpr size_t kMaxWelcomeChars = 500;

// unknownWord: the resource library's word for an unknown event.
EventAnnouncement ParseAnnouncement(const std::string& text, const std::string& unknownWord);
std::optional<VoteDefinition> ParseVoteDefinition(const std::string& text);
std::optional<EventQueueItem> ParseQueueItem(const std::string& text);

// Only characters from 32 upward except 127, at most 500.
std::string CleanWelcomeText(const std::string& text);

// "ADD <place> <kind> [-a ]<question>", every "<,>" made "," and the
// question cut to 200 characters.
std::string AddRequestText(const std::string& place, int kindNumber, bool anonymous, const std::string& question);
// "VOTE <id> <count> " and each chosen option followed by a blank.
std::string VoteRequestText(const std::string& voteId, const std::vector<int>& chosen);
std::string AnswerRequestText(const std::string& questionId, const std::string& response);
// The answer as it goes back to the host who queued the question.
std::string AnswerToHostText(const EventQueueItem& item, const std::string& response);
std::string TranscriptRequestText(const std::string& place);

// The speaker list: " <row id>" for each row that may speak.
bool SpeakerListHas(const std::string& list, unsigned rowId);
// Adds the row when it is missing, else removes its first occurrence.
std::string ToggleSpeaker(const std::string& list, unsigned rowId);
