// CZrPlaceDesc: the description of a place in the server's place lists.
#pragma once

#include <cstdint>
#include <string>

#include "ZrObjectDesc.h"

// Coded as kind (a place), name (the place's address), title, u16 member
// count, u32 identifier, u32 observer count, u16 capacity and, for a
// replicated place, its copy number (never 0). An update form carries only
// identifier, observer count, capacity and copy number.
class CZrPlaceDesc : public CZrObjectDesc {
public:
    CZrPlaceDesc();

    bool Read(TvlNdr& reader);
    void Write(TvlNdr& writer) const;
    // Reads the update form over this description. `applied` tells whether
    // it was taken: only a copy number greater than the stored one is.
    // False for a malformed update.
    bool ReadUpdate(TvlNdr& reader, bool& applied);

    std::string title;
};
