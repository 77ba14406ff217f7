#include "CIdentityItemBase.h"

#include <utility>

void CIdentityItemBase::SetTexts(ZrDdeString text1, ZrDdeString text2, ZrDdeString text3,
                                 ZrDdeString text4)
{
    m_text1 = std::move(text1);
    m_text2 = std::move(text2);
    m_text3 = std::move(text3);
    m_text4 = std::move(text4);
}

uint32_t CIdentityItemBase::GetIdentitySize() const
{
    return TextSize(m_text1) + TextSize(m_text2) + TextSize(m_text3) + TextSize(m_text4) +
           3 * kSeparatorSize;
}

void CIdentityItemBase::WriteIdentity()
{
    WriteText(m_text1);
    WriteSeparator();
    WriteText(m_text2);
    WriteSeparator();
    WriteText(m_text3);
    WriteSeparator();
    WriteText(m_text4);
}

bool CIdentityItemBase::ReadIdentity()
{
    return ReadText(m_text1) && ReadSeparator() && ReadText(m_text2) && ReadSeparator() &&
           ReadText(m_text3) && ReadSeparator() && ReadText(m_text4);
}
