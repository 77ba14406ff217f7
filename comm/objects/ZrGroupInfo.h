// CZrGroupInfo: the info record of a group or place.
#pragma once

#include <cstdint>

#include "ZrInfo.h"

// The info form, then the capacity and the group flags, both u16.
class CZrGroupInfo : public CZrInfo {
public:
    // Dissolve when the group becomes empty.
    static constexpr uint16_t kDissolveEmpty = 0x1;
    // Dissolve when one member is left.
    static constexpr uint16_t kDissolveOneLeft = 0x2;
    // Dissolve when the host leaves.
    static constexpr uint16_t kDissolveHostLeft = 0x4;
    // Set on every place's own info.
    static constexpr uint16_t kPlaceInfo = 0x8;
    // The group can take a host.
    static constexpr uint16_t kCanTakeHost = 0x10;

    CZrGroupInfo();

    void Write(TvlNdr& writer, bool full) const override;
    bool Read(TvlNdr& reader, IZrTreeHost* host) override;

    uint16_t GetCapacity() const { return m_capacity; }
    void SetCapacity(uint16_t capacity) { m_capacity = capacity; }
    uint16_t GetFlags() const { return m_flags; }
    void SetFlags(uint16_t flags) { m_flags = flags; }
    bool HasFlag(uint16_t flag) const { return (m_flags & flag) != 0; }

private:
    uint16_t m_capacity;
    uint16_t m_flags;
};
