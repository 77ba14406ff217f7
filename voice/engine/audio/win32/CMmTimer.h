// A one-shot multimedia timer: its tick runs on the timer thread. Cancelling
// waits for a tick that is running, so that the owner can go away after it;
// a tick may start the timer again.
#pragma once

#include "IWaveDevices.h"

#include <windows.h>

#include <functional>
#include <mutex>

class CMmTimer : public IAudioTimer
{
public:
    explicit CMmTimer(std::function<void()> tick) : m_tick(std::move(tick)) {}
    ~CMmTimer() override { Cancel(); }
    CMmTimer(const CMmTimer&) = delete;
    CMmTimer& operator=(const CMmTimer&) = delete;

    void Start(uint32_t milliseconds) override;
    void Cancel() override;

private:
    static void CALLBACK OnTimer(UINT id, UINT, DWORD_PTR self, DWORD_PTR, DWORD_PTR);

    std::function<void()> m_tick;
    std::recursive_mutex m_lock;
    UINT m_id = 0;
};
