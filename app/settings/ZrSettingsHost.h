// What the settings need from the running application: the program folder,
// the screen size, the resource library's product strings and texts, and the
// community and connection state.
#pragma once

#include <cstdint>
#include <string>

class IZrSettingsHost {
 public:
  virtual ~IZrSettingsHost() = default;
  // Folder of the program file, ending in a backslash.
  virtual std::string ProgramFolder() = 0;
  virtual int32_t ScreenWidth() = 0;
  virtual int32_t ScreenHeight() = 0;
  // Entry of the resource library's product string table (GetString).
  virtual std::string ProductString(uint32_t index) = 0;
  // Text of a string number of the resource module.
  virtual std::string Text(uint32_t id) = 0;
  // The resource library's GetSendFile switch.
  virtual bool CanSendFiles() = 0;
  virtual std::string CommunityName() = 0;
  // While connected: true, with the own member's name for the default tour
  // title. False when not connected.
  virtual bool ConnectedOwnName(std::string& name) = 0;
};
