// CRateStamp: one rate limit of the whispers a member receives (commands,
// identity answers, away replies, object transfer payloads). It lets an
// event through when none came before or the previous one is at least a
// window old, and it moves to every event checked, let through or not, so a
// steady burst gets only its first event through.
//
// Times come from a monotonic millisecond clock; "never" is its own state
// rather than a time value, so no real time can be mistaken for it.
#pragma once

#include <cstdint>

class CRateStamp {
public:
    static constexpr uint64_t kWindowMs = 1000;

    // True when an event at `nowMs` may go on; the stamp moves to `nowMs`
    // in both cases. A time before the stamp counts as inside the window.
    bool Pass(uint64_t nowMs);
    bool IsNever() const { return m_never; }

private:
    bool m_never = true;
    uint64_t m_stampMs = 0;
};
