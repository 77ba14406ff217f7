#include "ZrDdeMyInfoItems.h"

#include <utility>

CMyPositionItem::CMyPositionItem() : CZrDdeItem(kEitherSide) {}

uint32_t CMyPositionItem::GetSize() const
{
    return kValueCount * kU32Size + (kValueCount - 1) * kSeparatorSize;
}

void CMyPositionItem::WriteFields()
{
    for (size_t i = 0; i < kValueCount; ++i) {
        if (i != 0)
            WriteSeparator();
        WriteU32(m_values[i]);
    }
}

bool CMyPositionItem::ReadFields()
{
    for (size_t i = 0; i < kValueCount; ++i) {
        if (i != 0 && !ReadSeparator())
            return false;
        if (!ReadU32(m_values[i]))
            return false;
    }
    return true;
}

void CMyInfoItem::Set(uint32_t id, ZrDdeString text1, ZrDdeString text2, ZrDdeString text3,
                      ZrDdeString text4, ZrDdeBytes bytes)
{
    m_id = id;
    SetTexts(std::move(text1), std::move(text2), std::move(text3), std::move(text4));
    m_bytes = std::move(bytes);
}

uint32_t CMyInfoItem::GetSize() const
{
    uint32_t size = GetIdentitySize() + kSeparatorSize + BlockSize(m_bytes);
    if (IsServerEnd())
        size += kU32Size + kSeparatorSize;
    return size;
}

void CMyInfoItem::WriteFields()
{
    if (IsServerEnd()) {
        WriteU32(m_id);
        WriteSeparator();
    }
    WriteIdentity();
    WriteSeparator();
    WriteBlock(m_bytes);
}

bool CMyInfoItem::ReadFields()
{
    if (!IsServerEnd() && !(ReadU32(m_id) && ReadSeparator()))
        return false;
    return ReadIdentity() && ReadSeparator() && ReadBlock(m_bytes);
}
