#include "ZrDdeGroupItems.h"

#include <utility>

CStart1on1Item::CStart1on1Item(uint32_t firstId, uint32_t secondId, ZrDdeString text)
    : COneOnOneItemBase(firstId, secondId, std::move(text))
{
}

CBreak1on1Item::CBreak1on1Item(uint32_t firstId, uint32_t secondId, ZrDdeString text)
    : COneOnOneItemBase(firstId, secondId, std::move(text))
{
}

CStartGroupItem::CStartGroupItem(uint32_t id, uint32_t groupValue, ZrDdeString name,
                                 uint32_t value, uint32_t secondId, ZrDdeString text)
    : CZrDdeItem(0),
      m_groupValue(groupValue),
      m_name(std::move(name)),
      m_value(value),
      m_id(id),
      m_secondId(secondId),
      m_text(std::move(text))
{
}

uint32_t CStartGroupItem::GetSize() const
{
    const uint32_t common = 2 * kU32Size + TextSize(m_name) + 2 * kSeparatorSize;
    if (!IsServerEnd())
        return common + kSeparatorSize + BlockSize(m_bytes);
    return common + 2 * kU32Size + TextSize(m_text) + 3 * kSeparatorSize;
}

void CStartGroupItem::WriteFields()
{
    if (IsServerEnd())
        WriteServerForm();
    else
        WriteCommandForm();
}

void CStartGroupItem::WriteServerForm()
{
    WriteU32(m_id);
    WriteSeparator();
    WriteU32(m_groupValue);
    WriteSeparator();
    WriteText(m_name);
    WriteSeparator();
    WriteU32(m_value);
    WriteSeparator();
    WriteU32(m_secondId);
    WriteSeparator();
    WriteText(m_text);
}

void CStartGroupItem::WriteCommandForm()
{
    WriteU32(m_groupValue);
    WriteSeparator();
    WriteText(m_name);
    WriteSeparator();
    WriteU32(m_value);
    WriteSeparator();
    WriteBlock(m_bytes);
}

bool CStartGroupItem::ReadFields()
{
    return IsServerEnd() ? ReadCommandForm() : ReadServerForm();
}

bool CStartGroupItem::ReadServerForm()
{
    return ReadU32(m_id) && ReadSeparator() && ReadU32(m_groupValue) && ReadSeparator() &&
           ReadText(m_name) && ReadSeparator() && ReadU32(m_value) && ReadSeparator() &&
           ReadU32(m_secondId) && ReadSeparator() && ReadText(m_text);
}

bool CStartGroupItem::ReadCommandForm()
{
    if (!(ReadU32(m_groupValue) && ReadSeparator() && ReadText(m_name) && ReadSeparator() &&
          ReadU32(m_value)))
        return false;
    if (ReadOptionalSeparator())
        ReadBlock(m_bytes);
    return true;
}

CBreakGroupItem::CBreakGroupItem(uint32_t firstId, uint32_t secondId, ZrDdeString text)
    : COneOnOneItemBase(firstId, secondId, std::move(text))
{
}

CJoinGroupItem::CJoinGroupItem(uint32_t id1, uint32_t id2, ZrDdeString text1, uint32_t id3,
                               ZrDdeString text2)
    : CGroupMemberItemBase(id1, id2, std::move(text1), id3, std::move(text2))
{
}

CLeaveGroupItem::CLeaveGroupItem(uint32_t id1, uint32_t id2, ZrDdeString text1, uint32_t id3,
                                 ZrDdeString text2)
    : CGroupMemberItemBase(id1, id2, std::move(text1), id3, std::move(text2))
{
}

CGroupErrorItem::CGroupErrorItem() : CTextItemBase(kEitherSide, {}) {}

CGroupErrorItem::CGroupErrorItem(ZrDdeString text) : CTextItemBase(0, std::move(text)) {}
