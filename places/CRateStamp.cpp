#include "CRateStamp.h"

bool CRateStamp::Pass(uint64_t nowMs)
{
    const bool pass = m_never || (nowMs >= m_stampMs && nowMs - m_stampMs >= kWindowMs);
    m_never = false;
    m_stampMs = nowMs;
    return pass;
}
