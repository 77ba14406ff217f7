// CUcmSocks4Handshake: a SOCKS4 connect request and its reply.
#pragma once

#include <string>

#include "UcmProxyHandshake.h"

// Needs the target's address. The reply's version byte may be 0 (what SOCKS4
// servers send) or 4; its status byte must be 90 (granted).
class CUcmSocks4Handshake : public CUcmProxyHandshake {
public:
    static constexpr uint32_t kReplyLength = 8;

    // `user` is the user id sent with the request.
    CUcmSocks4Handshake(const UcmProxyTarget& target, const std::string& user);

protected:
    int32_t QueueFirstRequest(CTvlByteQueue& output) override;
    Verdict OnReply(const uint8_t* reply, uint32_t length, CTvlByteQueue& output) override;

private:
    const std::string m_user;
};
