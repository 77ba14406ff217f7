#include "UcmPostTunnel.h"

#include "TvlDebugSwitch.h"

CUcmPostTunnel::CUcmPostTunnel(IUcmPostLinkStarter& starter, CTvlByteQueue& output,
                               const UcmProxyTarget& target)
    : m_starter(starter), m_output(output), m_target(target), m_tunnelId(0), m_open(false),
      m_linkRunning(false)
{
}

void CUcmPostTunnel::OnPrimaryReply(uint32_t tunnelId)
{
    m_tunnelId = tunnelId;
    m_open = true;
}

int32_t CUcmPostTunnel::Flush()
{
    if (!m_open || m_linkRunning || m_output.Size() == 0)
        return 0;
    m_linkRunning = true;
    const int32_t code = m_starter.StartPostLink(*this);
    if (code != 0) {
        TvlTraces().ucmDebug.Trace("Post link not started (%d)", code);
        m_linkRunning = false;
    }
    return code;
}

std::unique_ptr<CUcmPostHandshake> CUcmPostTunnel::MakeLinkHandshake()
{
    return std::make_unique<CUcmPostHandshake>(m_target, m_tunnelId, m_output);
}

int32_t CUcmPostTunnel::OnLinkReply(uint32_t tunnelId)
{
    m_tunnelId = tunnelId;
    m_linkRunning = false;
    return Flush();
}

int32_t CUcmPostTunnel::OnLinkFailed(int32_t code)
{
    m_linkRunning = false;
    m_open = false;
    return code;
}
