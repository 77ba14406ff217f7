#include "CZrAppProtocol.h"

#include "CCommunityConnection.h"
#include "ZrChannel.h"

CZrAppProtocol::CZrAppProtocol(uint32_t registrationLimit) : CZrClientProtocol(registrationLimit) {}

bool CZrAppProtocol::Owns(CZrChannel& channel) const {
  return m_connection && m_connection->Session() == &channel.Session();
}

IZrPlaceConnection* CZrAppProtocol::ConnectionFor(CZrChannel& channel) {
  return Owns(channel) ? m_connection : nullptr;
}

IZrHelloCheck* CZrAppProtocol::HelloCheckFor(CZrChannel& channel) {
  return Owns(channel) ? m_connection : nullptr;
}
