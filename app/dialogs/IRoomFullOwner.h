// IRoomFullOwner: what the "Room is Full" prompt asks of the application.
#pragma once

class IRoomFullOwner {
 public:
  // Another room like the full one can be offered (Go To).
  virtual bool OffersSimilarRoom() const = 0;
  // The own user's tour is larger than the room allows.
  virtual bool IsTourTooLarge() const = 0;
  // Go To: enter the current place again, landing in a room like it.
  virtual void GoToSimilarRoom() = 0;
  // Places: the user wants to pick another place.
  virtual void ShowPlaces() = 0;
  // The prompt's window is gone.
  virtual void OnRoomFullClosed() = 0;

 protected:
  ~IRoomFullOwner() = default;
};
