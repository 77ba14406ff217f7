// CZrObjectDesc: a description of a person, group or place sent by the
// server outside the tree (queries, locate answers, place lists).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TvlObject.h"
#include "ZrItemTable.h"
#include "ZrPosition.h"

class TvlNdr;

// Deepest nesting of member descriptions that a reader takes.
constexpr int32_t kZrMaxDescLevels = 16;

// The base record also reads the nested form, the elements of a member
// list: u32 identifier, kind, flag, name, position, item table; then, for a
// container, u16 capacity, u32 member count (at most the capacity, which is
// unlimited for kind 1025), u32 observer count, u32 count N of member
// descriptions that follow (at most the member count) and, for a replicated
// place, its copy number; for a person, the status byte, full name,
// location, e-mail and the little-endian address.
class CZrObjectDesc : public CTvlObject {
public:
    static constexpr uint8_t kDefaultStatus = 1;

    // kind: 256 for a person, 2048 for a place.
    explicit CZrObjectDesc(uint32_t kind);
    ~CZrObjectDesc() override;

    // Reads the nested form at the given nesting level (1 at the top);
    // bit 7 goes on the kind when the identifier is `ownerId`. False for a
    // malformed field or nesting deeper than kZrMaxDescLevels.
    bool ReadNested(TvlNdr& reader, uint32_t ownerId, int32_t level = 1);

    uint32_t id;
    uint32_t kind;
    int32_t flag;
    std::string name;
    CZrPosition position;
    CZrItemTable items;
    uint8_t status;
    std::string fullName;
    std::string location;
    std::string email;
    std::vector<std::unique_ptr<CZrObjectDesc>> members;
    // IPv4 address of a person, little-endian on the wire.
    uint32_t address;
    uint16_t capacity;
    uint32_t memberCount;
    uint32_t observerCount;
    // Copy number of a replicated place.
    uint8_t copyNumber;

private:
    bool ReadContainerPart(TvlNdr& reader, uint32_t ownerId, int32_t level);
    bool ReadPersonPart(TvlNdr& reader);
};
