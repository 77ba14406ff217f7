#include "CRoomEventItemBase.h"

#include <utility>

CRoomEventItemBase::CRoomEventItemBase(uint32_t id, uint32_t kindCode, ZrDdeString name)
    : CZrDdeItem(0), m_id(id), m_kindCode(kindCode), m_name(std::move(name))
{
}

uint32_t CRoomEventItemBase::GetSize() const
{
    if (!IsServerEnd())
        return 0;
    return 2 * (kU32Size + kSeparatorSize) + TextSize(m_name);
}

void CRoomEventItemBase::WriteFields()
{
    if (!IsServerEnd())
        return;
    WriteU32(m_id);
    WriteSeparator();
    WriteU32(m_kindCode);
    WriteSeparator();
    WriteText(m_name);
}

bool CRoomEventItemBase::ReadFields()
{
    if (IsServerEnd())
        return true;
    return ReadU32(m_id) && ReadSeparator() && ReadU32(m_kindCode) && ReadSeparator() &&
           ReadText(m_name);
}
