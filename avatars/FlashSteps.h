// The steps of an avatar window's flash: for a flash of n, one timer tick
// each for n lit steps separated by n - 1 unlit ones, then the end.
#pragma once
#include <cstdint>

class CFlashSteps {
public:
    enum class Step { kLit, kUnlit, kDone };

    // A negative count flashes nothing, like a count of 0.
    void Start(int32_t count);
    // The step of this tick; kDone on every tick once the steps are used up.
    Step Tick();
    int64_t TicksDone() const { return m_step; }

private:
    int64_t m_step = 0;
    int64_t m_count = 0;
};
