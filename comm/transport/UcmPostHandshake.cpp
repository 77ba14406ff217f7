#include "UcmPostHandshake.h"

#include "TvlDebugSwitch.h"

namespace {

constexpr uint8_t kRolePrimary = 1;
constexpr uint8_t kRoleSecondary = 0;

} // namespace

CUcmPostHandshake::CUcmPostHandshake(const UcmProxyTarget& target)
    : CUcmHttpHandshake(target, kTunnelIdLength), m_batch(nullptr), m_tunnelId(0)
{
}

CUcmPostHandshake::CUcmPostHandshake(const UcmProxyTarget& target, uint32_t tunnelId,
                                     CTvlByteQueue& batch)
    : CUcmHttpHandshake(target, kTunnelIdLength), m_batch(&batch), m_tunnelId(tunnelId)
{
}

int32_t CUcmPostHandshake::QueueFirstRequest(CTvlByteQueue& output)
{
    if (!IsNameWritable()) {
        TvlTraces().ucmDebug.Trace("HTTP post request impossible for this host name");
        return kRefusedCode;
    }
    const uint32_t batchLength = m_batch ? m_batch->Size() : 0;
    QueueText(output, "POST http://" + TargetText() + " HTTP/1.0\r\nPragma: No-Cache\r\nContent-Length: "
                          + std::to_string(uint64_t{kPrefixLength} + batchLength) + "\r\n\r\n");
    QueueBytes(output, {IsPrimary() ? kRolePrimary : kRoleSecondary, static_cast<uint8_t>(m_tunnelId >> 24),
                        static_cast<uint8_t>(m_tunnelId >> 16), static_cast<uint8_t>(m_tunnelId >> 8),
                        static_cast<uint8_t>(m_tunnelId)});
    if (m_batch)
        output.MoveFrom(*m_batch);
    AwaitEmptyLine(kPhasePostReply);
    return 0;
}

CUcmProxyHandshake::Verdict CUcmPostHandshake::OnReply(const uint8_t* reply, uint32_t length,
                                                       CTvlByteQueue&)
{
    const uint32_t header = HeaderLength();
    if (!IsGranted(reply, header, false) || !HasContentLength(reply, header, kTunnelIdLength)) {
        TvlTraces().ucmDebug.Trace("HTTP post denied");
        return Refused();
    }
    const uint8_t* id = reply + (length - kTunnelIdLength);
    m_tunnelId = uint32_t{id[0]} << 24 | uint32_t{id[1]} << 16 | uint32_t{id[2]} << 8 | id[3];
    return Passed();
}
