#include "DragGesture.h"

#include <cstdlib>

void CDragGesture::Press(int32_t x, int32_t y)
{
    m_pressX = x;
    m_pressY = y;
    m_active = true;
    m_insideThreshold = true;
}

bool CDragGesture::Move(int32_t x, int32_t y)
{
    if (!m_active) {
        return false;
    }
    if (m_insideThreshold) {
        const int64_t dx = std::llabs(int64_t{x} - m_pressX);
        const int64_t dy = std::llabs(int64_t{y} - m_pressY);
        if (dx < kThreshold && dy < kThreshold) {
            return false;
        }
        m_insideThreshold = false;
    }
    return true;
}

bool CDragGesture::Stop()
{
    const bool wasActive = m_active;
    m_active = false;
    return wasActive;
}
