#include "ZrDdePresenceItems.h"

#include <utility>

// The factory makes the identity and parameter items as a client end; their
// coding is the same at both ends.
CSetPresenceIdentityItem::CSetPresenceIdentityItem() : CIdentityItemBase(1) {}

CSetPresenceIdentityItem::CSetPresenceIdentityItem(uint32_t id, ZrDdeString text1,
                                                   ZrDdeString text2, ZrDdeString text3,
                                                   ZrDdeString text4)
    : CIdentityItemBase(0), m_id(id)
{
    SetTexts(std::move(text1), std::move(text2), std::move(text3), std::move(text4));
}

uint32_t CSetPresenceIdentityItem::GetSize() const
{
    return kU32Size + kSeparatorSize + GetIdentitySize();
}

void CSetPresenceIdentityItem::WriteFields()
{
    WriteU32(m_id);
    WriteSeparator();
    WriteIdentity();
}

bool CSetPresenceIdentityItem::ReadFields()
{
    return ReadU32(m_id) && ReadSeparator() && ReadIdentity();
}

CSetPresenceFaceItem::CSetPresenceFaceItem() : CZrDdeItem(kEitherSide) {}

CSetPresenceFaceItem::CSetPresenceFaceItem(uint32_t id, ZrDdeBytes picture)
    : CZrDdeItem(0), m_id(id), m_picture(std::move(picture))
{
}

uint32_t CSetPresenceFaceItem::GetSize() const
{
    return kU32Size + kSeparatorSize + BlockSize(m_picture);
}

void CSetPresenceFaceItem::WriteFields()
{
    WriteU32(m_id);
    WriteSeparator();
    WriteBlock(m_picture);
}

bool CSetPresenceFaceItem::ReadFields()
{
    return ReadU32(m_id) && ReadSeparator() && ReadBlock(m_picture);
}

CPresenceParametersItem::CPresenceParametersItem() : CIdentityItemBase(1) {}

void CPresenceParametersItem::Set(ZrDdeString text1, ZrDdeString text2, ZrDdeString text3,
                                  ZrDdeString text4, ZrDdeBytes bytes)
{
    SetTexts(std::move(text1), std::move(text2), std::move(text3), std::move(text4));
    m_bytes = std::move(bytes);
}

uint32_t CPresenceParametersItem::GetSize() const
{
    return GetIdentitySize() + kSeparatorSize + BlockSize(m_bytes);
}

void CPresenceParametersItem::WriteFields()
{
    WriteIdentity();
    WriteSeparator();
    WriteBlock(m_bytes);
}

bool CPresenceParametersItem::ReadFields()
{
    return ReadIdentity() && ReadSeparator() && ReadBlock(m_bytes);
}
