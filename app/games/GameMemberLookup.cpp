#include "GameMemberLookup.h"

#include <algorithm>

GameLookupResult ResolveGameMember(const std::vector<GameMember>& members, uint32_t& id,
                                   uint16_t& userClass) {
  if (id == 0 && userClass == 0) return kGameNothingAsked;
  const auto matches = [&](const GameMember& member) {
    return (id == 0 || member.id == id) && (userClass == 0 || member.userClass == userClass);
  };
  const auto found = std::find_if(members.begin(), members.end(), matches);
  if (found == members.end()) return kGameMemberNotFound;
  id = found->id;
  userClass = found->userClass;
  return kGameMemberFound;
}
