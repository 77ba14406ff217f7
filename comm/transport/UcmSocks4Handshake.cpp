#include "UcmSocks4Handshake.h"

#include <cstring>
#include <vector>

#include "TvlDebugSwitch.h"
#include "TvlIpAddress.h"

namespace {

constexpr uint8_t kVersion = 4;
constexpr uint8_t kCommandConnect = 1;
constexpr uint8_t kGranted = 90;

} // namespace

CUcmSocks4Handshake::CUcmSocks4Handshake(const UcmProxyTarget& target, const std::string& user)
    : CUcmProxyHandshake(target), m_user(user)
{
}

int32_t CUcmSocks4Handshake::QueueFirstRequest(CTvlByteQueue& output)
{
    // The user id ends at its first 0 byte, so one inside it cannot be sent.
    if (m_target.address == CTvlIpAddress::kUnknown || m_user.find('\0') != std::string::npos) {
        TvlTraces().ucmDebug.Trace("Socks4 request impossible for %s", m_target.peerName.c_str());
        return kRefusedCode;
    }
    std::vector<uint8_t> request = {kVersion, kCommandConnect, 0, 0, 0, 0, 0, 0};
    std::memcpy(&request[2], &m_target.port, 2);
    std::memcpy(&request[4], &m_target.address, 4);
    QueueBytes(output, request);
    QueueText(output, m_user);
    QueueBytes(output, {0});
    Await(kPhaseConnectReply, kReplyLength);
    return 0;
}

CUcmProxyHandshake::Verdict CUcmSocks4Handshake::OnReply(const uint8_t* reply, uint32_t,
                                                         CTvlByteQueue&)
{
    if ((reply[0] == 0 || reply[0] == kVersion) && reply[1] == kGranted)
        return Passed();
    TvlTraces().ucmDebug.Trace("Socks4 attach denied(%d,%d)", reply[0], reply[1]);
    return Refused();
}
