// CClientRoom: the game group. Besides what every group does it carries the
// table of its avatar slots, the seats of its game window where the
// players' avatars sit, read from the group's item 3 when its window is
// made.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CClientPlace.h"
#include "CSlotAttr.h"

struct SlotScale {
    int32_t x;
    int32_t y;
};

class CClientRoom : public CClientPlace {
public:
    // The most slots a game table has.
    static constexpr size_t kMaxSlots = 20;
    static constexpr uint16_t kSlotLayoutItem = 3;

    explicit CClientRoom(IPersonViews& views);

    bool IsLedGroup() const override { return true; }
    bool IsGame() const override { return true; }

    // Reads the slot table from item 3: one slot per seat of the group's
    // capacity, at most kMaxSlots.
    void LoadSlots(bool bigAvatars);
    bool HasSlots() const { return !m_slots.empty(); }
    const std::vector<CSlotAttr>& Slots() const { return m_slots; }
    size_t SlotCount() const { return m_slots.size(); }
    // The 1-based index of the first slot whose rectangle holds the point; 0
    // when none does or the room has no slots.
    size_t FindSeatAt(int32_t x, int32_t y) const;
    // Left and top, width and height, and name of the slot with the 1-based
    // index; index 0 (or one past the table) gives (1, 1), (10, 10) and an
    // empty name.
    SlotScale GetSlotScale(size_t index) const;
    SlotScale GetSlotSize(size_t index) const;
    std::string GetSlotName(size_t index) const;

private:
    const CSlotAttr* Slot(size_t index) const;

    std::vector<CSlotAttr> m_slots;
};
