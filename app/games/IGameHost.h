// IGameHost: what the game session asks of the program when the game calls
// back. The DDE session implements it in the program; tests implement it to
// watch a game.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "GameMemberLookup.h"

// An event of the game for the program's event dispatcher; empty (member 0,
// no text, no data) for the game's plain notice.
struct GameEvent {
  uint32_t member = 0;
  int16_t value = 0;
  std::string text;
  std::string data;
};

class IGameHost {
 public:
  // The host keeps the event when it consumes it; otherwise it is dropped.
  virtual void DispatchGameEvent(std::unique_ptr<GameEvent> event) = 0;
  virtual void SendToMember(uint32_t member, uint32_t kind, const std::string& text,
                            const std::string& data) = 0;
  // Enumerates the members of the place that holds the member to the game.
  virtual long EnumerateMembers(uint32_t member, long value) = 0;
  // The members that a game may ask for by identifier or class.
  virtual std::vector<GameMember> GameMembers() = 0;
  // Name and three identity texts; false for an unknown member.
  virtual bool MemberIdentity(uint32_t member, std::array<std::string, 4>& texts) = 0;
  virtual std::string PlaceName() = 0;
  virtual uint32_t OwnGameId() = 0;
  virtual void SetGameState(long state) = 0;
  virtual void ForwardToGroup(uint32_t group, long value) = 0;
  virtual void ForwardToMember(uint32_t member, const std::array<long, 4>& values) = 0;

 protected:
  ~IGameHost() = default;
};
