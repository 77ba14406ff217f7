// CZrPlaceRequest: an outgoing place operation (message type 15).
#pragma once

#include <cstdint>

#include "ZrMessage.h"

// The message starts with the place key of the sender's place link, which is
// known only when the request is sent: the builder writes 0 there and
// StampKey fills it in.
class CZrPlaceRequest : public CZrMessage {
public:
    CZrPlaceRequest() = default;

    // Header, key 0, the id of the object the operation is about and the
    // operation code; the operation's own fields follow.
    void BuildOperation(uint32_t objectId, uint16_t operation);

    // Writes the key into the leading 16-bit field and marks it filled.
    void StampKey(uint16_t key);
    bool IsKeyFilled() const { return m_keyFilled != 0; }

private:
    int32_t m_keyFilled = 0;
};
