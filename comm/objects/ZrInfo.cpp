#include "ZrInfo.h"

#include "TvlNdr.h"
#include "ZrTreeHost.h"

CZrInfo::CZrInfo() : m_dataRequested(0) {}

std::unique_ptr<CTvlBlob> CZrInfo::ReplaceMemberData(std::unique_ptr<CTvlBlob> data)
{
    m_dataRequested = 0;
    return m_member->ReplaceData(std::move(data));
}

void CZrInfo::Write(TvlNdr& writer, bool full) const
{
    const CZrMemberRecord& record = m_member.Body();
    writer.PutByte(full ? 1 : 0);
    writer.PutText(m_name);
    writer.PutByte(record.Serial());
    writer.PutByte(record.DataFlag() != 0 ? 1 : 0);
    if (full && record.DataFlag() != 0) {
        const CTvlBlob* data = record.GetData();
        const uint32_t length = data ? data->Length() : 0;
        writer.PutLong(length);
        writer.PutBytes(length, data ? data->Bytes() : nullptr);
    }
    m_items.Write(writer, full);
}

bool CZrInfo::Read(TvlNdr& reader, IZrTreeHost* host)
{
    int32_t full;
    uint8_t serial;
    int32_t dataFlag;
    if (!reader.GetBool(full) || !reader.GetText(m_name) || !reader.GetByte(serial) ||
        !reader.GetBool(dataFlag))
        return false;
    CZrMemberRecord& record = m_member.Body();
    record.SetSerial(serial);
    record.SetDataFlag(dataFlag != 0);
    if (full && dataFlag) {
        std::unique_ptr<CTvlBlob> data(host ? host->NewBlob() : new CTvlBlob);
        if (!data || !data->Unmarshal(reader, true))
            return false;
        ReplaceMemberData(std::move(data));
    }
    return m_items.Read(reader, full != 0);
}
