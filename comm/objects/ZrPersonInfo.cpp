#include "ZrPersonInfo.h"

#include "TvlNdr.h"

namespace {
constexpr bool kLittleEndian = false;
}

CZrPersonInfo::CZrPersonInfo() : m_value(0) {}

void CZrPersonInfo::Write(TvlNdr& writer, bool full) const
{
    CZrInfo::Write(writer, full);
    writer.PutText(m_fullName);
    writer.PutText(m_location);
    writer.PutText(m_email);
    writer.PutText(m_version);
    writer.PutLong(m_value, kLittleEndian);
}

bool CZrPersonInfo::Read(TvlNdr& reader, IZrTreeHost* host)
{
    return CZrInfo::Read(reader, host) && reader.GetText(m_fullName) && reader.GetText(m_location) &&
           reader.GetText(m_email) && reader.GetText(m_version) && reader.GetLong(m_value, kLittleEndian);
}
