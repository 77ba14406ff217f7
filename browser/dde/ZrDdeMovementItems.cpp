#include "ZrDdeMovementItems.h"

#include <utility>

CEnterRoomItem::CEnterRoomItem(uint32_t id, uint32_t kindCode, ZrDdeString name)
    : CRoomEventItemBase(id, kindCode, std::move(name))
{
}

CLeaveRoomItem::CLeaveRoomItem(uint32_t id, uint32_t kindCode, ZrDdeString name)
    : CRoomEventItemBase(id, kindCode, std::move(name))
{
}

CMoveItem::CMoveItem() : CZrDdeItem(kEitherSide) {}

CMoveItem::CMoveItem(uint32_t x, uint32_t y) : CZrDdeItem(0), m_x(x), m_y(y) {}

uint32_t CMoveItem::GetSize() const
{
    return 2 * kU32Size + kSeparatorSize;
}

void CMoveItem::WriteFields()
{
    WriteU32(m_x);
    WriteSeparator();
    WriteU32(m_y);
}

bool CMoveItem::ReadFields()
{
    return ReadU32(m_x) && ReadSeparator() && ReadU32(m_y);
}

CMoveErrorItem::CMoveErrorItem() : CTextItemBase(kEitherSide, {}) {}

CMoveErrorItem::CMoveErrorItem(ZrDdeString text) : CTextItemBase(0, std::move(text)) {}
