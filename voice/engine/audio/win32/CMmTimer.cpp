#include "CMmTimer.h"

#include <mmsystem.h>

namespace {

constexpr UINT kResolutionMs = 1;

} // namespace

void CMmTimer::Start(uint32_t milliseconds)
{
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    if (m_id)
        timeKillEvent(m_id);
    m_id = timeSetEvent(milliseconds, kResolutionMs, OnTimer, reinterpret_cast<DWORD_PTR>(this),
                        TIME_ONESHOT | TIME_CALLBACK_FUNCTION);
}

void CMmTimer::Cancel()
{
    std::lock_guard<std::recursive_mutex> hold(m_lock);
    if (m_id) {
        timeKillEvent(m_id);
        m_id = 0;
    }
}

void CALLBACK CMmTimer::OnTimer(UINT id, UINT, DWORD_PTR self, DWORD_PTR, DWORD_PTR)
{
    auto* timer = reinterpret_cast<CMmTimer*>(self);
    std::lock_guard<std::recursive_mutex> hold(timer->m_lock);
    if (timer->m_id != id)
        return; // cancelled or replaced meanwhile
    timer->m_id = 0;
    if (timer->m_tick)
        timer->m_tick();
}
