#include "ZrPlaceSelector.h"

#include "TvlNdr.h"

CZrPlaceSelector CZrPlaceSelector::Number(uint8_t number)
{
    CZrPlaceSelector selector;
    selector.m_numeric = true;
    selector.m_number = number;
    return selector;
}

CZrPlaceSelector CZrPlaceSelector::Named(const std::string& name)
{
    CZrPlaceSelector selector;
    selector.m_name = name;
    return selector;
}

void CZrPlaceSelector::Write(TvlNdr& writer) const
{
    writer.PutByte(m_numeric ? 1 : 0);
    if (m_numeric)
        writer.PutByte(m_number);
    else
        writer.PutText(m_name);
}

bool CZrPlaceSelector::Read(TvlNdr& reader)
{
    int32_t numeric = 0;
    if (!reader.GetBool(numeric))
        return false;
    m_numeric = numeric != 0;
    m_number = 0;
    m_name.clear();
    if (m_numeric)
        return reader.GetByte(m_number) && m_number != 0;
    return reader.GetText(m_name);
}
