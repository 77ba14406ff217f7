// CZrPersonDesc: the description of a person and where it is (person
// queries and locate answers).
#pragma once

#include <cstdint>
#include <string>

#include "ZrObjectDesc.h"

// Coded as u32 identifier, kind (a person), flag (accepts messages), name,
// status byte, full name, location, e-mail, u32 address (little-endian),
// place title, place address, place kind (a place), [copy number of a
// replicated place], u32 identifier of the person's parent, its name, its
// kind (a container), a flag, item table.
class CZrPersonDesc : public CZrObjectDesc {
public:
    CZrPersonDesc();

    // Bit 7 goes on the kind when the identifier is `localId`.
    bool Read(TvlNdr& reader, uint32_t localId);
    // The same form; the kind goes out without bit 7.
    void Write(TvlNdr& writer) const;

    std::string placeTitle;
    std::string placeAddress;
    uint32_t placeKind;
    uint32_t parentId;
    std::string parentName;
    uint32_t parentKind;
    int32_t parentFlag;
};
