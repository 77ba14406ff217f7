// The client's protocol handler: every session belongs to the application's
// one community connection.
#pragma once

#include "ZrClientProtocol.h"

class CCommunityConnection;

class CZrAppProtocol : public CZrClientProtocol {
 public:
  explicit CZrAppProtocol(uint32_t registrationLimit);

  // The connection whose sessions this handler serves; none before it is set.
  void SetConnection(CCommunityConnection* connection) { m_connection = connection; }

 protected:
  IZrPlaceConnection* ConnectionFor(CZrChannel& channel) override;
  IZrHelloCheck* HelloCheckFor(CZrChannel& channel) override;

 private:
  bool Owns(CZrChannel& channel) const;

  CCommunityConnection* m_connection = nullptr;
};
