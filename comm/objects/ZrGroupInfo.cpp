#include "ZrGroupInfo.h"

#include "TvlNdr.h"

CZrGroupInfo::CZrGroupInfo() : m_capacity(0), m_flags(0) {}

void CZrGroupInfo::Write(TvlNdr& writer, bool full) const
{
    CZrInfo::Write(writer, full);
    writer.PutShort(m_capacity);
    writer.PutShort(m_flags);
}

bool CZrGroupInfo::Read(TvlNdr& reader, IZrTreeHost* host)
{
    return CZrInfo::Read(reader, host) && reader.GetShort(m_capacity) && reader.GetShort(m_flags);
}
