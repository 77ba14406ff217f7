#include "EngineInitCount.h"

bool EngineInitCount::Lower()
{
    if (m_count <= 0)
        return false;
    return --m_count == 0;
}
