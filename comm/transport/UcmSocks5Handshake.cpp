#include "UcmSocks5Handshake.h"

#include <cstring>
#include <vector>

#include "TvlDebugSwitch.h"
#include "TvlIpAddress.h"

namespace {

constexpr uint8_t kVersion = 5;
constexpr uint8_t kMethodNone = 0;
constexpr uint8_t kMethodUserPassword = 2;
constexpr uint8_t kAuthVersion = 1;
constexpr uint8_t kAuthSuccess = 0;
constexpr uint8_t kCommandConnect = 1;
constexpr uint8_t kAddressIpv4 = 1;
constexpr uint8_t kAddressName = 3;
constexpr uint8_t kSucceeded = 0;

void AppendCounted(std::vector<uint8_t>& request, const std::string& field)
{
    request.push_back(static_cast<uint8_t>(field.size()));
    request.insert(request.end(), field.begin(), field.end());
}

} // namespace

CUcmSocks5Handshake::CUcmSocks5Handshake(const UcmProxyTarget& target, bool authenticate,
                                         const std::string& user, const std::string& password)
    : CUcmProxyHandshake(target), m_authenticate(authenticate), m_user(user), m_password(password)
{
}

int32_t CUcmSocks5Handshake::QueueFirstRequest(CTvlByteQueue& output)
{
    if (m_authenticate)
        QueueBytes(output, {kVersion, 2, kMethodNone, kMethodUserPassword});
    else
        QueueBytes(output, {kVersion, 1, kMethodNone});
    Await(kPhaseMethodReply, kMethodReplyLength);
    return 0;
}

CUcmProxyHandshake::Verdict CUcmSocks5Handshake::OnReply(const uint8_t* reply, uint32_t,
                                                         CTvlByteQueue& output)
{
    switch (CurrentPhase()) {
    case kPhaseMethodReply:
        return OnMethodReply(reply, output);
    case kPhaseAuthReply:
        return OnAuthReply(reply, output);
    default:
        return OnConnectReply(reply);
    }
}

CUcmProxyHandshake::Verdict CUcmSocks5Handshake::OnMethodReply(const uint8_t* reply,
                                                               CTvlByteQueue& output)
{
    if (reply[0] == kVersion && reply[1] == kMethodNone)
        return QueueConnectRequest(output);
    if (reply[0] == kVersion && reply[1] == kMethodUserPassword && m_authenticate)
        return QueueAuthRequest(output);
    TvlTraces().ucmDebug.Trace("Socks5 nego denied(%d,%d)", reply[0], reply[1]);
    return Refused();
}

CUcmProxyHandshake::Verdict CUcmSocks5Handshake::OnAuthReply(const uint8_t* reply,
                                                             CTvlByteQueue& output)
{
    if (reply[0] == kAuthVersion && reply[1] == kAuthSuccess)
        return QueueConnectRequest(output);
    TvlTraces().ucmDebug.Trace("Socks5 auth denied(%d,%d)", reply[0], reply[1]);
    return Refused();
}

CUcmProxyHandshake::Verdict CUcmSocks5Handshake::OnConnectReply(const uint8_t* reply)
{
    if (reply[0] == kVersion && reply[1] == kSucceeded && reply[2] == 0 && reply[3] == kAddressIpv4)
        return Passed();
    TvlTraces().ucmDebug.Trace("Socks5 attach denied(%d,%d,%d,%d)", reply[0], reply[1], reply[2],
                               reply[3]);
    return Refused();
}

CUcmProxyHandshake::Verdict CUcmSocks5Handshake::QueueAuthRequest(CTvlByteQueue& output)
{
    if (m_user.size() > kMaxFieldLength || m_password.size() > kMaxFieldLength) {
        TvlTraces().ucmDebug.Trace("Socks5 user name or password over %zu bytes", kMaxFieldLength);
        return Refused();
    }
    std::vector<uint8_t> request = {kAuthVersion};
    AppendCounted(request, m_user);
    AppendCounted(request, m_password);
    QueueBytes(output, request);
    Await(kPhaseAuthReply, kAuthReplyLength);
    return NextReply();
}

CUcmProxyHandshake::Verdict CUcmSocks5Handshake::QueueConnectRequest(CTvlByteQueue& output)
{
    std::vector<uint8_t> request = {kVersion, kCommandConnect, 0};
    if (m_target.address == CTvlIpAddress::kUnknown) {
        if (m_target.peerName.size() > kMaxFieldLength) {
            TvlTraces().ucmDebug.Trace("Socks5 host name over %zu bytes", kMaxFieldLength);
            return Refused();
        }
        request.push_back(kAddressName);
        AppendCounted(request, m_target.peerName);
    } else {
        request.push_back(kAddressIpv4);
        const auto* address = reinterpret_cast<const uint8_t*>(&m_target.address);
        request.insert(request.end(), address, address + 4);
    }
    const auto* port = reinterpret_cast<const uint8_t*>(&m_target.port);
    request.insert(request.end(), port, port + 2);
    QueueBytes(output, request);
    Await(kPhaseConnectReply, kConnectReplyLength);
    return NextReply();
}
