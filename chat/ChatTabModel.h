// The rules of the chat tab container that need no window: tab identifiers
// kept in a byte map and reused once freed, tab labels and person page
// titles cut to length, which page a chat line goes to, its colour, and the
// main window's layout mode for the page shown.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Kinds of chat pages.
enum class ChatPageKind : int32_t {
  Room = 0,
  Broadcast = 2,
  Group = 3,
  InstantMessage = 4,
  Game = 5,
  Stage = 6,
};

class ChatTabIds {
 public:
  static constexpr size_t kGrowth = 100;

  // The lowest free identifier; the map grows when full.
  uint32_t Acquire();
  // Frees id for reuse; an unknown id changes nothing.
  void Release(uint32_t id);
  bool InUse(uint32_t id) const { return id < m_used.size() && m_used[id] != 0; }

 private:
  std::vector<uint8_t> m_used;
};

// A title of 16 characters or more shows its first 15 and "..".
std::string ChatTabLabel(const std::string& title);
// A person page's title: prefix and the name, a name of more than 12
// characters cut to 12 and "..".
std::string PersonPageTitle(const std::string& prefix, const std::string& name);

// The tree object whose page a chat line goes to; 0 means the room page.
// In an auditorium a line to the root place's place object goes to that
// object's page; anywhere a line to another object than the place object
// and the root place goes to its own page.
uint32_t ChatLinePageTarget(bool auditorium, uint32_t target, uint32_t rootPlaceId, uint32_t placeObjectId);

// Colours of lines: private lines in the resource colour given, lines of
// moderators and speakers green when said to the root place, all else black.
constexpr uint32_t kChatBlack = 0x000000;
constexpr uint32_t kChatGreen = 0x008000;
uint32_t ChatLineColour(bool privateLine, bool speakerClass, bool toRootPlace, uint32_t privateColour);

// Main window layout modes.
constexpr int32_t kLayoutNormal = 0;
constexpr int32_t kLayoutAuditorium = 1;
constexpr int32_t kLayoutPrivateRoom = 2;
constexpr int32_t kLayoutGame = 3;
int32_t ChatLayoutMode(bool auditorium, bool privateRoom, ChatPageKind shown);

// The horizontal offset of a new floating page's frame from the main
// window: the first of six steps (0, step, 2 step, ...) that is not within
// a caption height of an existing frame's offset, both ways; 0 when all
// six are taken. Offsets of the existing frames are relative to the main
// window; verticalOffset is where a new frame stands below it.
struct ChatFrameOffset {
  int32_t x;
  int32_t y;
};
int32_t ChatFloatFrameX(const std::vector<ChatFrameOffset>& frames, int32_t verticalOffset, int32_t captionHeight);
