#include "COneOnOneItemBase.h"

#include <utility>

COneOnOneItemBase::COneOnOneItemBase(uint32_t firstId, uint32_t secondId, ZrDdeString text)
    : CZrDdeItem(0), m_firstId(firstId), m_secondId(secondId), m_text(std::move(text))
{
}

uint32_t COneOnOneItemBase::GetSize() const
{
    if (!IsServerEnd())
        return GetCommandSize();
    return 2 * (kU32Size + kSeparatorSize) + TextSize(m_text);
}

void COneOnOneItemBase::WriteFields()
{
    if (!IsServerEnd()) {
        WriteCommand();
        return;
    }
    WriteU32(m_firstId);
    WriteSeparator();
    WriteU32(m_secondId);
    WriteSeparator();
    WriteText(m_text);
}

bool COneOnOneItemBase::ReadFields()
{
    if (IsServerEnd())
        return ReadCommand();
    return ReadU32(m_firstId) && ReadSeparator() && ReadU32(m_secondId) && ReadSeparator() &&
           ReadText(m_text);
}
