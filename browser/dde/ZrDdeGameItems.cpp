#include "ZrDdeGameItems.h"

CGameHandleItem::CGameHandleItem() : CZrDdeItem(kEitherSide) {}

uint32_t CGameHandleItem::GetSize() const
{
    return kU16Size + 2 * (kSeparatorSize + kU32Size);
}

void CGameHandleItem::WriteFields()
{
    WriteU16(m_value);
    WriteSeparator();
    WriteU32(m_third);
    WriteSeparator();
    WriteU32(m_second);
}

bool CGameHandleItem::ReadFields()
{
    return ReadU16(m_value) && SkipByte() && ReadU32(m_third) && SkipByte() && ReadU32(m_second);
}

CGameSlotsItem::CGameSlotsItem() : CZrDdeItem(kEitherSide) {}

uint32_t CGameSlotsItem::GetSize() const
{
    return static_cast<uint32_t>(m_slots.size()) * kSlotSize;
}

void CGameSlotsItem::WriteHalves(uint32_t value)
{
    WriteU16(static_cast<uint16_t>(value));
    WriteU16(static_cast<uint16_t>(value >> 16));
}

bool CGameSlotsItem::ReadHalves(uint32_t& value)
{
    uint16_t low = 0;
    uint16_t high = 0;
    if (!(ReadU16(low) && ReadU16(high)))
        return false;
    value = static_cast<uint32_t>(high) << 16 | low;
    return true;
}

void CGameSlotsItem::WriteFields()
{
    for (const CGameSlot& slot : m_slots) {
        WriteHalves(slot.first);
        WriteHalves(slot.second);
        WriteU16(slot.value);
    }
}

bool CGameSlotsItem::ReadFields()
{
    m_slots.clear();
    for (;;) {
        CGameSlot slot;
        if (!(ReadHalves(slot.first) && ReadHalves(slot.second) && ReadU16(slot.value)))
            return false;
        m_slots.push_back(slot);
        if (slot.value == 0)
            return true;
    }
}

CGameStateItem::CGameStateItem() : CZrDdeItem(kEitherSide) {}

void CGameStateItem::WriteFields()
{
    WriteU16(m_state);
}

bool CGameStateItem::ReadFields()
{
    return ReadU16(m_state);
}
