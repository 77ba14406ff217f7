#include "ChatTabModel.h"

#include <cstdlib>

uint32_t ChatTabIds::Acquire() {
  for (size_t id = 0; id < m_used.size(); ++id) {
    if (!m_used[id]) {
      m_used[id] = 1;
      return static_cast<uint32_t>(id);
    }
  }
  const size_t id = m_used.size();
  m_used.resize(m_used.size() + kGrowth, 0);
  m_used[id] = 1;
  return static_cast<uint32_t>(id);
}

void ChatTabIds::Release(uint32_t id) {
  if (id < m_used.size()) m_used[id] = 0;
}

std::string ChatTabLabel(const std::string& title) {
  constexpr size_t kLongTitle = 16;
  constexpr size_t kShownChars = 15;
  if (title.size() < kLongTitle) return title;
  return title.substr(0, kShownChars) + "..";
}

std::string PersonPageTitle(const std::string& prefix, const std::string& name) {
  constexpr size_t kNameChars = 12;
  if (name.size() <= kNameChars) return prefix + name;
  return prefix + name.substr(0, kNameChars) + "..";
}

uint32_t ChatLinePageTarget(bool auditorium, uint32_t target, uint32_t rootPlaceId, uint32_t placeObjectId) {
  if (auditorium && target == placeObjectId) return target;
  if (target != placeObjectId && target != rootPlaceId) return target;
  return 0;
}

uint32_t ChatLineColour(bool privateLine, bool speakerClass, bool toRootPlace, uint32_t privateColour) {
  if (privateLine) return privateColour;
  if (speakerClass && toRootPlace) return kChatGreen;
  return kChatBlack;
}

int32_t ChatLayoutMode(bool auditorium, bool privateRoom, ChatPageKind shown) {
  if (auditorium) return kLayoutAuditorium;
  if (shown == ChatPageKind::Game) return kLayoutGame;
  if (privateRoom) return kLayoutPrivateRoom;
  return kLayoutNormal;
}

int32_t ChatFloatFrameX(const std::vector<ChatFrameOffset>& frames, int32_t verticalOffset, int32_t captionHeight) {
  constexpr int32_t kPositions = 6;
  const int32_t step = captionHeight + 5;
  for (int32_t position = 0; position < kPositions; ++position) {
    const int32_t x = position * step;
    bool taken = false;
    for (const ChatFrameOffset& frame : frames) {
      if (std::abs(frame.x - x) < captionHeight && std::abs(frame.y - verticalOffset) < captionHeight) {
        taken = true;
        break;
      }
    }
    if (!taken) return x;
  }
  return 0;
}
