#include "ZrPlaceRequest.h"

void CZrPlaceRequest::BuildOperation(uint32_t objectId, uint16_t operation)
{
    SetHeader(kZrPlaceOperation);
    m_keyFilled = 0;
    PutShort(0);
    PutLong(objectId);
    PutShort(operation);
}

void CZrPlaceRequest::StampKey(uint16_t key)
{
    if (Used() < HeaderLength() + 2)
        return;
    uint8_t* field = const_cast<uint8_t*>(Data()) + HeaderLength();
    field[0] = static_cast<uint8_t>(key >> 8);
    field[1] = static_cast<uint8_t>(key);
    m_keyFilled = 1;
}
