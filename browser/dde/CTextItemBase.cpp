#include "CTextItemBase.h"

#include <utility>

CTextItemBase::CTextItemBase(int32_t side, ZrDdeString text)
    : CZrDdeItem(side), m_text(std::move(text))
{
}

uint32_t CTextItemBase::GetSize() const
{
    return TextSize(m_text);
}

void CTextItemBase::WriteFields()
{
    WriteText(m_text);
}

bool CTextItemBase::ReadFields()
{
    return ReadText(m_text);
}
