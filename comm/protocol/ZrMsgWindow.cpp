#include "ZrMsgWindow.h"

#include <cinttypes>

#include "TvlDebugSwitch.h"
#include "TvlSwitchSource.h"

void CZrMsgWindow::SetWindowId(uint32_t id)
{
    if (m_windowId == 0)
        m_windowId = id;
}

void CZrMsgWindow::Keep(uint32_t prefixLength, const uint8_t* prefix, uint32_t length,
                        const uint8_t* bytes)
{
    m_kept.push_back({CTvlBlob(prefixLength, prefix), CTvlBlob(length, bytes)});
}

bool CZrMsgWindow::Acknowledged(uint32_t n)
{
    const CTvlDebugSwitch trace(TvlKey::ZrDebugAck, kTvlAckLabel);
    const uint64_t kept = m_kept.size();
    trace.Trace("ZrMsgWindow::acknowledged: (%" PRIu32 ",%" PRIu32 ",%" PRIu64 ")", m_acknowledged, n, kept);
    if (n < m_acknowledged || uint64_t{n} - m_acknowledged > kept)
        return false;
    while (m_acknowledged != n) {
        m_kept.pop_front();
        ++m_acknowledged;
    }
    trace.Trace("ZrMsgWindow::acknowledged: %" PRIu64, static_cast<uint64_t>(m_kept.size()));
    return true;
}
