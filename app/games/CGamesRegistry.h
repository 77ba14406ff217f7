// The games installed on the machine: the subkeys of the games key under
// HKEY_CLASSES_ROOT, each named by the game and holding its server's class
// identifier as its default value.
#pragma once

#include <string>
#include <vector>

struct GameEntry {
  std::string name;
  std::string serverClass;
};

class CGamesRegistry {
 public:
  static constexpr const char* kGamesKey = "Software\\Tervala\\ZrGames32";

  // Every game whose class identifier can be read, in the key's order;
  // empty when the key is missing.
  static std::vector<GameEntry> ListGames();
  // True when the text is a valid class identifier that some game has.
  static bool LookupGame(const std::string& serverClass);
};
