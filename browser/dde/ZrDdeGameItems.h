// Items of the topic "ZR_GameInfo": the game handle, the slot list and the
// game state. Coded the same at both ends.
#pragma once

#include <vector>

#include "CZrDdeItem.h"

// u16 "," third "," second: the third value travels before the second.
class CGameHandleItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x900;

    CGameHandleItem();

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    uint16_t GetValue() const { return m_value; }
    uint32_t GetSecond() const { return m_second; }
    uint32_t GetThird() const { return m_third; }

protected:
    void WriteFields() override;
    // The bytes between the values are skipped whatever they hold.
    bool ReadFields() override;

private:
    uint16_t m_value = 1;
    uint32_t m_second = 0;
    uint32_t m_third = 0;
};

struct CGameSlot
{
    uint32_t first = 0;
    uint32_t second = 0;
    uint16_t value = 0;

    bool operator==(const CGameSlot& other) const
    {
        return first == other.first && second == other.second && value == other.value;
    }
};

// Slot records back to back, each as five u16 (each 32-bit value low half
// first), with no separators. The list ends with, and includes, the first
// record whose 16-bit value is 0.
class CGameSlotsItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x901;
    static constexpr uint32_t kSlotSize = 10;

    CGameSlotsItem();

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    const std::vector<CGameSlot>& GetSlots() const { return m_slots; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    void WriteHalves(uint32_t value);
    bool ReadHalves(uint32_t& value);

    std::vector<CGameSlot> m_slots;
};

class CGameStateItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x902;

    CGameStateItem();

    uint32_t GetSize() const override { return kU16Size; }
    uint16_t GetType() const override { return kType; }
    uint16_t GetState() const { return m_state; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    uint16_t m_state = 0;
};
