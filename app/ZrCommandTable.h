// Commands of the application that objects built apart from the application
// carry out: the page frame, the own user, the chat pages, the dialogs, the
// places manager, the favourites, the auditorium, the avatars and the
// navigation. Each command has the part of its enable rule that the
// application decides; the object that plugs in decides the rest. Until an
// object plugs in, its commands stay disabled.
#pragma once
#include <cstdint>

enum class ZrCommandTarget : uint8_t {
  kPageFrame,
  kNavigation,
  kOwnUser,
  kChatPages,
  kDialogs,
  kPlacesManager,
  kFavourites,
  kAuditorium,
  kAvatars,
  kCount
};

enum class ZrCommandRule : uint8_t {
  kAlways,            // whenever the object is there
  kRunning,           // the application runs
  kPlaced,            // running and the root place exists
  kConnected,         // running and the root place is connected
  kReadyConnected,    // connected and the indicator is ready
  kReady,             // running and the indicator is ready
  kAuditorium,        // connected to an auditorium
  kNotAuditorium,     // connected, not to an auditorium
  kRunningNotConnected,
};

// What the rules look at.
struct ZrCommandState {
  bool running = false;
  bool placed = false;
  bool connected = false;
  bool auditorium = false;
  bool indicatorReady = false;
};

struct ZrDeferredCommand {
  uint32_t id;
  ZrCommandTarget target;
  ZrCommandRule rule;
};

// The deferred command with that id, or null for a command the application
// carries out itself (or none at all).
const ZrDeferredCommand* FindDeferredCommand(uint32_t id);

bool CommandRuleHolds(ZrCommandRule rule, const ZrCommandState& state);
