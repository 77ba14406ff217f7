#include "ChatSendRoad.h"

#include <cctype>

ChatSendRoute ChooseChatSendRoute(const ChatSendState& state) {
  if (state.memberFlags & kMemberMayNotSend) return ChatSendRoute::LocalOnly;
  if (state.kind == ChatPageKind::InstantMessage) return ChatSendRoute::InstantMessage;
  if (state.kind == ChatPageKind::Room && state.auditorium && !state.inRootPlace && state.pendingAction)
    return ChatSendRoute::HostRelay;
  return ChatSendRoute::Talk;
}

bool LimitChatText(std::string& text, size_t limit) {
  if (text.size() <= limit) return false;
  text.resize(limit);
  return true;
}

std::string TrimChatText(const std::string& text) {
  auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  size_t first = 0;
  while (first < text.size() && blank(text[first])) ++first;
  size_t last = text.size();
  while (last > first && blank(text[last - 1])) --last;
  return text.substr(first, last - first);
}
