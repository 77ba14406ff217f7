#include "CGroupMemberItemBase.h"

#include <utility>

CGroupMemberItemBase::CGroupMemberItemBase(uint32_t id1, uint32_t id2, ZrDdeString text1,
                                           uint32_t id3, ZrDdeString text2)
    : CZrDdeItem(0),
      m_id1(id1),
      m_id2(id2),
      m_text1(std::move(text1)),
      m_id3(id3),
      m_text2(std::move(text2))
{
}

uint32_t CGroupMemberItemBase::GetSize() const
{
    if (!IsServerEnd())
        return kU32Size;
    return 3 * kU32Size + TextSize(m_text1) + TextSize(m_text2) + 4 * kSeparatorSize;
}

void CGroupMemberItemBase::WriteFields()
{
    WriteU32(m_id1);
    if (!IsServerEnd())
        return;
    WriteSeparator();
    WriteU32(m_id2);
    WriteSeparator();
    WriteText(m_text1);
    WriteSeparator();
    WriteU32(m_id3);
    WriteSeparator();
    WriteText(m_text2);
}

bool CGroupMemberItemBase::ReadFields()
{
    if (IsServerEnd())
        return ReadU32(m_id1);
    return ReadU32(m_id1) && ReadSeparator() && ReadU32(m_id2) && ReadSeparator() &&
           ReadText(m_text1) && ReadSeparator() && ReadU32(m_id3) && ReadSeparator() &&
           ReadText(m_text2);
}
