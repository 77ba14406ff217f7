// CZrTextMessage: the sender record of a text from the server (message
// types 5 and 28).
#pragma once

#include <cstdint>
#include <string>

#include "TvlObject.h"

class TvlNdr;

// Coded as u32 sender identifier, kind (a person), the sender's name, a mode
// byte and a u32 value, the last little-endian.
class CZrTextMessage : public CTvlObject {
public:
    CZrTextMessage();

    // Bit 7 goes on the kind when the sender is `localId`.
    bool Read(TvlNdr& reader, uint32_t localId);
    // The kind goes out without bit 7.
    void Write(TvlNdr& writer) const;

    uint32_t senderId;
    uint32_t kind;
    std::string name;
    uint8_t mode;
    uint32_t value;
};
