#include "FlashSteps.h"

void CFlashSteps::Start(int32_t count)
{
    m_step = 0;
    m_count = count < 0 ? 0 : count;
}

CFlashSteps::Step CFlashSteps::Tick()
{
    const int64_t step = m_step++;
    if (step >= 2 * m_count - 1) {
        return Step::kDone;
    }
    return step % 2 == 0 ? Step::kLit : Step::kUnlit;
}
