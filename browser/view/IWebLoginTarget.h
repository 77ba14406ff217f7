// Where the login values that a page hands over in a "zrs://" URL go: the
// application's login state and the settings of the current identity.
#pragma once

#include <string>

class IWebLoginTarget {
 public:
  virtual ~IWebLoginTarget() = default;

  // The nickname that the next login uses.
  virtual void SetLoginNick(const std::string& nick) = 0;
  // The nickname kept for the current community's identity.
  virtual void SetIdentityNick(const std::string& nick) = 0;
  virtual void SetPassword(const std::string& password) = 0;
  // Whether the next login is a guest login.
  virtual void SetGuestFlag(bool guest) = 0;
  // The preference flag that the place code reads.
  virtual void SetFFlag(bool f) = 0;
  virtual void SetSlotPictures(const std::string& first, const std::string& second, const std::string& third,
                               const std::string& fourth) = 0;
};
