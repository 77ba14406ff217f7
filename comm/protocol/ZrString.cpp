#include "ZrString.h"

#include "TvlNdr.h"

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

CZrString::CZrString(const std::string& text, uint8_t value, bool normalise) : m_text(text), m_value(value)
{
    if (normalise)
        Normalise();
}

void CZrString::Normalise()
{
    std::string normal;
    normal.reserve(m_text.size());
    for (char c : m_text) {
        if (IsWhiteSpace(c))
            continue;
        normal.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    m_text = normal;
}

void CZrString::Write(TvlNdr& writer) const
{
    writer.PutText(m_text);
    writer.PutByte(m_value);
}

bool CZrString::Read(TvlNdr& reader)
{
    return reader.GetText(m_text) && reader.GetByte(m_value);
}
