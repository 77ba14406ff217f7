#include "CCommunityProtocol.h"

#include "CCommunityConnection.h"
#include "ZrChannel.h"

CCommunityProtocol::CCommunityProtocol(uint32_t registrationLimit, CCommunityConnection*& connection)
    : CZrClientProtocol(registrationLimit), m_connection(connection)
{
}

IZrPlaceConnection* CCommunityProtocol::ConnectionFor(CZrChannel& channel)
{
    return m_connection && m_connection->Session() == &channel.Session() ? m_connection : nullptr;
}

IZrHelloCheck* CCommunityProtocol::HelloCheckFor(CZrChannel& channel)
{
    return m_connection && m_connection->Session() == &channel.Session() ? m_connection : nullptr;
}
