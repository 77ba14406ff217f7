#include "ZrPosition.h"

#include "TvlNdr.h"

CZrPosition::CZrPosition() : m_kind(kNone), m_first(kNoValue), m_second(kNoValue) {}

CZrPosition CZrPosition::Seat(uint16_t seat)
{
    CZrPosition position;
    position.m_kind = kSeat;
    position.m_first = seat;
    return position;
}

CZrPosition CZrPosition::XY(uint16_t x, uint16_t y)
{
    CZrPosition position;
    position.m_kind = kXY;
    position.m_first = x;
    position.m_second = y;
    return position;
}

CZrPosition CZrPosition::Named(const std::string& name)
{
    CZrPosition position;
    position.m_kind = kName;
    position.m_name = name;
    return position;
}

void CZrPosition::Reset()
{
    *this = CZrPosition();
}

void CZrPosition::Write(TvlNdr& writer) const
{
    writer.PutByte(static_cast<uint8_t>(m_kind));
    switch (m_kind) {
    case kSeat:
        writer.PutShort(m_first);
        break;
    case kXY:
        writer.PutShort(m_first);
        writer.PutShort(m_second);
        break;
    case kName:
        writer.PutText(m_name);
        break;
    default:
        break;
    }
}

bool CZrPosition::Read(TvlNdr& reader)
{
    Reset();
    uint8_t kind;
    if (!reader.GetByte(kind) || kind > kName)
        return false;
    CZrPosition read;
    read.m_kind = kind;
    bool ok = true;
    if (kind == kSeat)
        ok = reader.GetShort(read.m_first);
    else if (kind == kXY)
        ok = reader.GetShort(read.m_first) && reader.GetShort(read.m_second);
    else if (kind == kName)
        ok = reader.GetText(read.m_name);
    if (ok)
        *this = read;
    return ok;
}

bool CZrPosition::operator==(const CZrPosition& other) const
{
    return m_kind == other.m_kind && m_first == other.m_first && m_second == other.m_second &&
           m_name == other.m_name;
}
