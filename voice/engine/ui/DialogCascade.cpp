#include "DialogCascade.h"

int32_t DialogCascade::Next()
{
    const int32_t offset = kStep * m_place;
    m_place = (m_place + 1) % kPlaces;
    return offset;
}
