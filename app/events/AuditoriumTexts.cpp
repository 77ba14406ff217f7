#include "AuditoriumTexts.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr size_t kHeaderChars = 7;
constexpr size_t kQueueHeaderChars = 5;
constexpr int kMaxOptions = 10;
constexpr size_t kMaxLabelChars = 50;

void Replace(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// The text up to `stop` (not included), moving `at` past the stop; nothing
// when there is no stop.
std::optional<std::string> TakeUntil(const std::string& text, size_t& at, char stop) {
  const size_t end = text.find(stop, at);
  if (end == std::string::npos) return std::nullopt;
  std::string piece = text.substr(at, end - at);
  at = end + 1;
  return piece;
}

// A two-character number such as "3 " or "10"; -1 when it is not one.
int TwoDigits(const std::string& text, size_t at) {
  if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return -1;
  int value = text[at] - '0';
  if (at + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[at + 1])))
    value = value * 10 + (text[at + 1] - '0');
  return value;
}

}  // namespace

EventAnnouncement ParseAnnouncement(const std::string& text, const std::string& unknownWord) {
  EventAnnouncement announcement;
  if (text.size() <= kHeaderChars) return announcement;
  std::string rest = text.substr(kHeaderChars);
  const size_t space = rest.find(' ');
  announcement.event = rest.substr(0, space);
  rest = space == std::string::npos ? std::string() : rest.substr(space + 1);
  if (announcement.event == unknownWord) {
    announcement.inactive = true;
    return announcement;
  }
  if (!rest.empty() && rest[0] >= '0' && rest[0] <= '6') {
    const int count = rest[0] - '0';
    size_t at = std::min<size_t>(2, rest.size());
    for (int i = 0; i < count; ++i) {
      const std::optional<std::string> kind = TakeUntil(rest, at, ',');
      if (!kind) break;
      announcement.kinds.push_back(*kind);
    }
    rest = rest.substr(std::min(at, rest.size()));
  }
  const size_t end = rest.find_last_not_of(' ');
  rest.erase(end == std::string::npos ? 0 : end + 1);
  if (!rest.empty() && rest.back() == '+') {
    rest.pop_back();
    announcement.pictureFollows = true;
  }
  announcement.text = rest;
  return announcement;
}

std::optional<VoteDefinition> ParseVoteDefinition(const std::string& text) {
  if (text.size() <= kHeaderChars) return std::nullopt;
  VoteDefinition vote;
  size_t at = kHeaderChars;
  const std::optional<std::string> id = TakeUntil(text, at, ' ');
  const std::optional<std::string> title = TakeUntil(text, at, ',');
  if (!id || !title || id->empty() || title->empty()) return std::nullopt;
  vote.id = *id;
  vote.title = *title;
  const int count = TwoDigits(text, at);
  if (count < 1 || count > kMaxOptions) return std::nullopt;
  at += count == kMaxOptions ? 3 : 2;
  vote.maxSelections = TwoDigits(text, at);
  if (vote.maxSelections < 1 || vote.maxSelections > count) return std::nullopt;
  at += vote.maxSelections > 9 ? 3 : 2;
  for (int option = 0; option < count; ++option) {
    std::optional<std::string> label = TakeUntil(text, at, ' ');
    const std::optional<std::string> optionText = TakeUntil(text, at, ',');
    if (!label || !optionText) return std::nullopt;
    Replace(*label, "_", " ");
    vote.labels.push_back(label->substr(0, kMaxLabelChars));
    vote.texts.push_back(*optionText);
  }
  vote.prompt = at < text.size() ? text.substr(at) : std::string();
  return vote;
}

std::optional<EventQueueItem> ParseQueueItem(const std::string& text) {
  if (text.size() <= kQueueHeaderChars) return std::nullopt;
  size_t at = kQueueHeaderChars;
  EventQueueItem item;
  const std::optional<std::string> kind = TakeUntil(text, at, ',');
  const std::optional<std::string> id = TakeUntil(text, at, ',');
  const std::optional<std::string> asker = TakeUntil(text, at, ',');
  if (!kind || !id || !asker) return std::nullopt;
  item.kind = *kind;
  item.questionId = *id;
  item.asker = *asker;
  item.question = text.substr(at);
  return item;
}

std::string CleanWelcomeText(const std::string& text) {
  std::string clean;
  for (unsigned char c : text) {
    if (c >= 32 && c != 127) clean += static_cast<char>(c);
    if (clean.size() == kMaxWelcomeChars) break;
  }
  return clean;
}

std::string AddRequestText(const std::string& place, int kindNumber, bool anonymous, const std::string& question) {
  std::string text = question;
  Replace(text, "<,>", ",");
  return "ADD " + place + " " + std::to_string(kindNumber) + " " + (anonymous ? "-a " : "") +
         text.substr(0, kMaxQuestionChars);
}

std::string VoteRequestText(const std::string& voteId, const std::vector<int>& chosen) {
  std::string text = "VOTE " + voteId + " " + std::to_string(chosen.size()) + " ";
  for (int option : chosen) text += std::to_string(option) + " ";
  return text;
}

std::string AnswerRequestText(const std::string& questionId, const std::string& response) {
  return "ANSWER " + questionId + "," + response;
}

std::string AnswerToHostText(const EventQueueItem& item, const std::string& response) {
  return "ANSWER " + item.kind + "," + item.asker + "," + item.question + "<,>" + response;
}

std::string TranscriptRequestText(const std::string& place) { return place + " 100"; }

namespace {

// Where " <id>" stands as a whole entry: followed by a blank or the end.
size_t FindSpeaker(const std::string& list, unsigned rowId) {
  const std::string entry = " " + std::to_string(rowId);
  for (size_t at = list.find(entry); at != std::string::npos; at = list.find(entry, at + 1)) {
    const size_t after = at + entry.size();
    if (after == list.size() || list[after] == ' ') return at;
  }
  return std::string::npos;
}

}  // namespace

bool SpeakerListHas(const std::string& list, unsigned rowId) { return FindSpeaker(list, rowId) != std::string::npos; }

std::string ToggleSpeaker(const std::string& list, unsigned rowId) {
  const size_t at = FindSpeaker(list, rowId);
  if (at == std::string::npos) return list + " " + std::to_string(rowId);
  return list.substr(0, at) + list.substr(at + 1 + std::to_string(rowId).size());
}
