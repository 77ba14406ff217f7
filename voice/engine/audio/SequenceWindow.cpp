#include "SequenceWindow.h"

#include <algorithm>

void SequenceWindow::Arrival(int32_t slot, int32_t current)
{
    if (slot < current)
        m_delay = std::min(kLongestDelay, std::max(m_delay, current - slot));
}
