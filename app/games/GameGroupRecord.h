// The group record that a new game group goes out with: the name and size
// the user chose and the game's description as items of the group.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "GameInfo.h"

class CZrGroupInfo;

struct GameGroupChoice {
  std::string name;
  uint16_t players = 0;
  std::string comment;
};

// Item numbers of a game group.
enum GameGroupItem : uint16_t {
  kGameServerItem = 1,
  kGameCommentItem = 2,
  kGameSeatLayoutItem = 3,
  kGameSecondTextItem = 4,
  kGameLogoWidthItem = 5,
  kGameLogoHeightItem = 6,
  kGameFirstFlagItem = 7,
  kGameSecondFlagItem = 8,
  kGameSpareFlagItem = 10,
};

struct GameItemValue {
  uint16_t code;
  std::string text;
};

// The items in the order they are published. The logo's size items come
// only with a logo that decoded (width and height above zero).
std::vector<GameItemValue> GameGroupItems(const CGameInfo& info, const GameGroupChoice& choice,
                                          const std::string& serverClass, int logoWidth, int logoHeight);

// Fills the record: name, capacity, the items and the logo as the group's
// picture (when there is one).
void FillGameGroupRecord(CZrGroupInfo& record, const CGameInfo& info, const GameGroupChoice& choice,
                         const std::string& serverClass, int logoWidth, int logoHeight);
