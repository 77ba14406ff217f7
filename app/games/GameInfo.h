// CGameInfo: what a game tells about itself when a group is made for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CGameInfo {
  static constexpr const char* kDefaultName = "ZrGame";
  static constexpr const char* kDefaultSeatLayout =
      "123,51,23,31,white;12,51,23,31,Black;0,0,23,31,Observer";

  std::string name = kDefaultName;
  std::string secondText;
  // Seats separated by ";", each x, y, width, height and label by ",".
  std::string seatLayout = kDefaultSeatLayout;
  std::string firstFlag = "N";
  std::string secondFlag = "N";
  int16_t maxPlayers = 3;
  int16_t minPlayers = 2;
  // A picture in any format the picture object decodes; may be empty.
  std::vector<uint8_t> logo;

  // The number of players the user may choose lies between the bounds.
  bool AcceptsPlayers(long players) const { return players >= minPlayers && players <= maxPlayers; }
  // The number is fixed when both bounds agree.
  bool HasFixedPlayers() const { return minPlayers == maxPlayers; }
};
