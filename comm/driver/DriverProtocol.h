// CDriverProtocol: the client's protocol handler for the driver's one server
// connection.
#pragma once

#include "ZrClientProtocol.h"

class CDriverConnection;

class CDriverProtocol : public CZrClientProtocol {
public:
    CDriverProtocol(uint32_t registrationLimit, CDriverConnection*& connection);

protected:
    IZrPlaceConnection* ConnectionFor(CZrChannel& channel) override;
    IZrHelloCheck* HelloCheckFor(CZrChannel& channel) override;

private:
    CDriverConnection*& m_connection;
};
