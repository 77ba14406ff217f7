#include "DriverProtocol.h"

#include "DriverConnection.h"
#include "ZrChannel.h"

CDriverProtocol::CDriverProtocol(uint32_t registrationLimit, CDriverConnection*& connection)
    : CZrClientProtocol(registrationLimit), m_connection(connection)
{
}

// Every session of the driver belongs to its one connection.
IZrPlaceConnection* CDriverProtocol::ConnectionFor(CZrChannel& channel)
{
    return m_connection && m_connection->Session() == &channel.Session() ? m_connection : nullptr;
}

IZrHelloCheck* CDriverProtocol::HelloCheckFor(CZrChannel& channel)
{
    return m_connection && m_connection->Session() == &channel.Session() ? m_connection : nullptr;
}
