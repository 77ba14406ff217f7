// IZrPlaceLink: a place that uses a channel, with its local user.
#pragma once

#include <cstdint>

#include "ZrProtocolError.h"

class CZrMessageReader;

// Owned by its channel. Place operations (message type 15) arrive here by
// the link's key; other messages name the link by its person's identifier.
class IZrPlaceLink {
public:
    virtual ~IZrPlaceLink() = default;

    // Only the low 16 bits of a key are used.
    virtual uint16_t Key() const = 0;
    virtual void SetKey(uint16_t key) = 0;
    // Identifier of the link's person (the local user in that place).
    virtual uint32_t PersonId() const = 0;
    // One place operation; the reader stands after the place key. A
    // malformed operation answers its protocol error.
    virtual ZrProtocolError OnOperation(CZrMessageReader& reader) = 0;
    // The link is being removed with a code; it is deleted right after.
    virtual void OnRemoved(int32_t code) = 0;
};
