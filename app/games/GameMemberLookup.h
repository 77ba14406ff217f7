// How the client answers a game that asks which member it means: by
// identifier, by user class, or both.
#pragma once

#include <cstdint>
#include <vector>

struct GameMember {
  uint32_t id = 0;
  uint16_t userClass = 0;
};

enum GameLookupResult : long {
  kGameMemberFound = 0,
  kGameNothingAsked = 1,
  kGameMemberNotFound = 703,
};

// Both zero: nothing asked. Only a class: the first member of that class.
// Only an identifier: that member. Both: the member with that identifier
// and class. A found member's identifier and class are written back.
GameLookupResult ResolveGameMember(const std::vector<GameMember>& members, uint32_t& id,
                                   uint16_t& userClass);
