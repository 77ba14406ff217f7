// One community server of the server list: the name shown and the address
// connected to.
#pragma once

#include <string>

struct ZrServerEntry {
  std::string name;
  std::string address;
  // Removed by the user: kept in place, neither shown, matched nor written.
  bool removed = false;
  // The server the client is using.
  bool current = false;
};
