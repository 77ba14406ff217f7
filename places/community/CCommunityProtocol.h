// CCommunityProtocol: the client's protocol handler; every session belongs
// to the application's one community connection.
#pragma once

#include "ZrClientProtocol.h"

class CCommunityConnection;

class CCommunityProtocol : public CZrClientProtocol {
public:
    CCommunityProtocol(uint32_t registrationLimit, CCommunityConnection*& connection);

protected:
    IZrPlaceConnection* ConnectionFor(CZrChannel& channel) override;
    IZrHelloCheck* HelloCheckFor(CZrChannel& channel) override;

private:
    CCommunityConnection*& m_connection;
};
