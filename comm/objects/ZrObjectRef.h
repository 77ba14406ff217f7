// CZrObjectRef: a reference to a community object that the server connection
// keeps (message types 26 and 27).
#pragma once

#include <cstdint>

#include "TvlObject.h"

class TvlNdr;

// Coded as u32 owner identifier, kind, u32 identifier and the u32 parent
// identifier, the last little-endian.
class CZrObjectRef : public CTvlObject {
public:
    CZrObjectRef();

    // Bit 7 goes on the kind when the owner is `localId`.
    bool Read(TvlNdr& reader, uint32_t localId);
    // The kind goes out without bit 7.
    void Write(TvlNdr& writer) const;

    uint32_t ownerId;
    uint32_t kind;
    uint32_t id;
    uint32_t parentId;
};
