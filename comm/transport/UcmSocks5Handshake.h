// CUcmSocks5Handshake: SOCKS5 method choice, optional user name and
// password, and the connect request.
#pragma once

#include <string>

#include "UcmProxyHandshake.h"

// Offers "no authentication", and "user name and password" as well when
// asked to authenticate; a proxy that picks the second without being offered
// it is refused. The target goes by address, or by name when its address is
// unknown. A user name, password or host name longer than 255 bytes cannot
// be written behind a length byte and refuses the handshake when it would be
// sent.
class CUcmSocks5Handshake : public CUcmProxyHandshake {
public:
    static constexpr uint32_t kMethodReplyLength = 2;
    static constexpr uint32_t kAuthReplyLength = 2;
    static constexpr uint32_t kConnectReplyLength = 10;
    static constexpr size_t kMaxFieldLength = 255;

    CUcmSocks5Handshake(const UcmProxyTarget& target, bool authenticate, const std::string& user,
                        const std::string& password);

protected:
    int32_t QueueFirstRequest(CTvlByteQueue& output) override;
    Verdict OnReply(const uint8_t* reply, uint32_t length, CTvlByteQueue& output) override;

private:
    Verdict OnMethodReply(const uint8_t* reply, CTvlByteQueue& output);
    Verdict OnAuthReply(const uint8_t* reply, CTvlByteQueue& output);
    Verdict OnConnectReply(const uint8_t* reply);
    Verdict QueueAuthRequest(CTvlByteQueue& output);
    Verdict QueueConnectRequest(CTvlByteQueue& output);

    const bool m_authenticate;
    const std::string m_user;
    const std::string m_password;
};
