// IPrivateRoomOwner: what the "Private Room" prompt asks of the application.
#pragma once
#include <string>

class IPrivateRoomOwner {
 public:
  // Go: create or enter the private room of that name.
  virtual void EnterPrivateRoom(const std::string& name) = 0;
  // The prompt's window is gone.
  virtual void OnPrivateRoomClosed() = 0;

 protected:
  ~IPrivateRoomOwner() = default;
};
