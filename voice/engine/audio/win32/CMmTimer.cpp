#include "CMmTimer.h"

#include <mmsystem.h>

namespace {

constexpr UINT kResolutionMs = 1;

} // namespace

void CMmTimer::Start(uint32_t milliseconds)
{
    Cancel();
    m_id = timeSetEvent(milliseconds, kResolutionMs, OnTimer, reinterpret_cast<DWORD_PTR>(this),
                        TIME_ONESHOT | TIME_CALLBACK_FUNCTION);
}

// A tick that is already running still finishes; its owner checks its own
// state under its lock.
void CMmTimer::Cancel()
{
    if (m_id) {
        timeKillEvent(m_id);
        m_id = 0;
    }
}

void CALLBACK CMmTimer::OnTimer(UINT, UINT, DWORD_PTR self, DWORD_PTR, DWORD_PTR)
{
    auto* timer = reinterpret_cast<CMmTimer*>(self);
    if (timer->m_tick)
        timer->m_tick();
}
