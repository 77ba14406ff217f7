// What chat pages ask of the application: the local user's state, the
// requests of the root place that a typed line and typing turn into, the
// own balloon and echo line, the word filter and the messages. The
// application implements it and installs it with CChatPage::SetHost.
#pragma once
#include <cstdint>
#include <string>

#include "ChatSendRoad.h"

// What the tab container reads of the root place.
struct ChatPlaceState {
  bool running = false;    // start-up finished, exit not begun
  bool connected = false;  // the root place is connected
  bool auditorium = false;
  bool privateRoom = false;
  uint32_t rootId = 0;         // the root place
  uint32_t placeObjectId = 0;  // the place object of the root place
};

class IChatPageHost {
 public:
  virtual ~IChatPageHost() = default;

  // Start-up has finished and exit has not begun.
  virtual bool IsRunning() = 0;
  // A modal box or dialog has the main windows disabled.
  virtual bool AreWindowsDisabled() = 0;
  // The idle-minute counter of the main window starts again.
  virtual void ResetIdleMinutes() = 0;

  // The state a send from a page of kind decides by.
  virtual ChatSendState SendStateFor(ChatPageKind kind) = 0;
  // The talk request with text on the page's target; false when the page
  // has no target.
  virtual bool SendTalk(ChatPageKind kind, uint32_t targetId, const std::string& text) = 0;
  // The text to the inviting host (or the first host of the place) to be
  // repeated to the auditorium; false when there is no host.
  virtual bool SendThroughHost(const std::string& text) = 0;
  // A user-to-user message of text to the person.
  virtual void SendInstantMessage(uint32_t person, const std::string& text) = 0;
  // Typing state: on tells the place whom the user addresses, off clears it.
  virtual void SetTypingState(ChatPageKind kind, uint32_t targetId, bool on) = 0;
  // A balloon with text beside the local user's avatar, when it is shown.
  virtual void ShowOwnBalloon(const std::string& text) = 0;
  // A line of the local user added through the tab container.
  virtual void EchoLine(uint32_t targetId, const std::string& text) = 0;
  // Filtered words masked as a page of kind masks them.
  virtual std::string MaskWords(ChatPageKind kind, const std::string& text) = 0;
  // The root place is a private room, and its title.
  virtual bool IsPrivateRoom() = 0;
  virtual std::string PlaceTitle() = 0;
  // The Send Instant Message dialog tied to no person.
  virtual void OpenSendImDialog() = 0;
  // The root place as the tab container needs it.
  virtual ChatPlaceState PlaceState() = 0;
  // The main window's layout mode follows the page shown.
  virtual void SetLayoutMode(int32_t mode) = 0;
  // A game page became the current page or stopped being it.
  virtual void SetGameActive(uint32_t targetId, bool active) = 0;
};
