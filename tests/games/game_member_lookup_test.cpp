// A game asks for a member by identifier, by user class or both.
#include <gtest/gtest.h>

#include <vector>

#include "GameMemberLookup.h"

namespace {

const std::vector<GameMember> kMembers = {{5, 16}, {9, 273}, {12, 16}, {14, 273}};

TEST(GameMemberLookup, AnswersByIdentifierClassOrBoth) {
  struct Case {
    const char* what;
    uint32_t id;
    uint16_t userClass;
    GameLookupResult result;
    uint32_t foundId;
    uint16_t foundClass;
  };
  const Case cases[] = {
      {"nothing asked", 0, 0, kGameNothingAsked, 0, 0},
      {"identifier only", 12, 0, kGameMemberFound, 12, 16},
      {"class only takes the first of the class", 0, 273, kGameMemberFound, 9, 273},
      {"both matching", 14, 273, kGameMemberFound, 14, 273},
      {"both, class not the member's", 12, 273, kGameMemberNotFound, 12, 273},
      {"unknown identifier", 77, 0, kGameMemberNotFound, 77, 0},
      {"unknown class", 0, 321, kGameMemberNotFound, 0, 321},
  };
  for (const Case& c : cases) {
    uint32_t id = c.id;
    uint16_t userClass = c.userClass;
    EXPECT_EQ(ResolveGameMember(kMembers, id, userClass), c.result) << c.what;
    EXPECT_EQ(id, c.foundId) << c.what;
    EXPECT_EQ(userClass, c.foundClass) << c.what;
  }
}

TEST(GameMemberLookup, EmptyPlaceFindsNobody) {
  uint32_t id = 5;
  uint16_t userClass = 0;
  EXPECT_EQ(ResolveGameMember({}, id, userClass), kGameMemberNotFound);
}

}  // namespace
