// The root place: the client's entry into the place tree of its community.
// Once the server welcomes the own user it asks to enter the first page; it
// tells the application when the place is entered.
#pragma once

#include <cstdint>
#include <string>

#include "ZrClientPlace.h"

class IPlaceEvents {
 public:
  virtual void OnPlaceEntered(const std::string& page) = 0;

 protected:
  ~IPlaceEvents() = default;
};

class CPlace : public CZrClientPlace {
 public:
  // Kind of the person record the login asks for.
  static constexpr uint32_t kPersonKind = 0x100;

  // The own user stays the caller's; the two standing groups are the place's.
  CPlace(CZrPerson* myself, IPlaceEvents& events);

  // The page the place enters once the server has welcomed the own user.
  void SetFirstPage(const std::string& page) { m_firstPage = page; }
  // Sends the login request with the own user's name; 0 when sent.
  int32_t StartLogin(IZrPlaceConnection& connection);
  // Asks to enter the page; 0 when the request is on its way.
  int32_t Enter(const std::string& page);
  bool HasEntered() const { return m_entered; }

  void OnConnected() override;
  void OnEntered(const CZrPosition* position, uint32_t flag, const std::string& text) override;
  void OnDisconnected(int32_t code, const std::string& text) override;

 private:
  IPlaceEvents& m_events;
  std::string m_firstPage;
  bool m_entered = false;
};
