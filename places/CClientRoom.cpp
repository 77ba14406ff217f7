#include "CClientRoom.h"

#include <algorithm>

#include "ZrItem.h"

CClientRoom::CClientRoom(IPersonViews& views) : CClientPlace(kGameKind, views) {}

void CClientRoom::LoadSlots(bool bigAvatars)
{
    m_slots.clear();
    const CZrItem* item = GetInfo().Items().Find(kSlotLayoutItem);
    if (!item)
        return;
    std::string text = item->GetText();
    const size_t count = std::min<size_t>(GetCapacity(), kMaxSlots);
    for (size_t i = 0; i < count && !text.empty(); ++i) {
        m_slots.emplace_back(text, bigAvatars);
        const size_t end = text.find(';');
        text = end == std::string::npos ? std::string() : text.substr(end + 1);
    }
}

const CSlotAttr* CClientRoom::Slot(size_t index) const
{
    return index >= 1 && index <= m_slots.size() ? &m_slots[index - 1] : nullptr;
}

size_t CClientRoom::FindSeatAt(int32_t x, int32_t y) const
{
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].HitTest(x, y))
            return i + 1;
    }
    return 0;
}

SlotScale CClientRoom::GetSlotScale(size_t index) const
{
    const CSlotAttr* slot = Slot(index);
    return slot ? SlotScale{slot->GetX(), slot->GetY()} : SlotScale{1, 1};
}

SlotScale CClientRoom::GetSlotSize(size_t index) const
{
    const CSlotAttr* slot = Slot(index);
    return slot ? SlotScale{slot->GetWidth(), slot->GetHeight()} : SlotScale{10, 10};
}

std::string CClientRoom::GetSlotName(size_t index) const
{
    const CSlotAttr* slot = Slot(index);
    return slot ? slot->GetName() : std::string();
}
