#include "CSlotAttr.h"

#include <cstdlib>

namespace {

constexpr double kSmallScale = 0.75;

// Reads one decimal number at `pos` (after optional blanks and a sign) and
// moves past it; false when none is there.
bool ReadNumber(const std::string& text, size_t& pos, int32_t& value)
{
    size_t at = pos;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    size_t digits = at;
    if (digits < text.size() && (text[digits] == '-' || text[digits] == '+'))
        ++digits;
    size_t end = digits;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end == digits)
        return false;
    value = static_cast<int32_t>(std::strtol(text.substr(at, end - at).c_str(), nullptr, 10));
    pos = end;
    return true;
}

}  // namespace

CSlotAttr::CSlotAttr(const std::string& text, bool bigAvatars) : m_big(bigAvatars)
{
    int32_t* fields[] = {&m_x, &m_y, &m_width, &m_height};
    size_t pos = 0;
    for (size_t i = 0; i < 4; ++i) {
        if (!ReadNumber(text, pos, *fields[i]))
            break;
        if (i < 3) {
            if (pos >= text.size() || text[pos] != ',')
                break;
            ++pos;
        }
    }
    size_t rest = 0;
    for (int skip = 0; skip < 4; ++skip) {
        const size_t separator = text.find_first_of(",;", rest);
        if (separator == std::string::npos || text[separator] == ';')
            return;
        rest = separator + 1;
    }
    const size_t end = text.find(';', rest);
    if (end != std::string::npos)
        m_name = text.substr(rest, end - rest);
}

int32_t CSlotAttr::Scaled(int32_t value) const
{
    return m_big ? value : static_cast<int32_t>(value * kSmallScale);
}

bool CSlotAttr::HitTest(int32_t px, int32_t py) const
{
    const double scale = m_big ? 1.0 : kSmallScale;
    const double left = m_x * scale;
    const double top = m_y * scale;
    const double right = (m_x + static_cast<double>(m_width)) * scale;
    const double bottom = (m_y + static_cast<double>(m_height)) * scale;
    return left < px && px < right && top < py && py < bottom;
}
