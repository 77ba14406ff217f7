// How a typed chat line leaves the client, decided without windows: which
// road it takes by page kind and the local user's state, the typed text's
// length limit, and the gesture payload's name limit.
#pragma once
#include <cstdint>
#include <string>

#include "ChatTabModel.h"

enum class ChatSendRoute {
  LocalOnly,       // the user may not send: own balloon and echo only
  InstantMessage,  // a user-to-user message to the page's person
  HostRelay,       // through a host who repeats it to the auditorium
  Talk,            // the talk request on the page's target
};

struct ChatSendState {
  ChatPageKind kind = ChatPageKind::Room;
  uint32_t memberFlags = 0;  // the local user's member flag word
  bool auditorium = false;   // the root place is an auditorium
  bool inRootPlace = false;  // the local user stands inside the place
  bool pendingAction = false;  // invited by a host to speak
};

// Member flag: the user may not send.
constexpr uint32_t kMemberMayNotSend = 0x2;
// Typed text limit in characters.
constexpr size_t kChatTextLimit = 200;
// Longest gesture name a payload carries.
constexpr size_t kGestureNameLimit = 254;

ChatSendRoute ChooseChatSendRoute(const ChatSendState& state);
// Cuts text to the limit; true when it was longer.
bool LimitChatText(std::string& text, size_t limit = kChatTextLimit);
// Both ends trimmed of blanks and control characters.
std::string TrimChatText(const std::string& text);
