#include "ZrMemberRecord.h"

#include <utility>

CZrMemberRecord::CZrMemberRecord() : m_serial(0), m_dataFlag(0) {}

std::unique_ptr<CTvlBlob> CZrMemberRecord::ReplaceData(std::unique_ptr<CTvlBlob> data)
{
    std::swap(m_data, data);
    return data;
}

CZrMemberHandle::CZrMemberHandle() : m_body(std::make_shared<CZrMemberRecord>()) {}

CZrMemberHandle::CZrMemberHandle(std::shared_ptr<CZrMemberRecord> body) : m_body(std::move(body))
{
    if (!m_body)
        m_body = std::make_shared<CZrMemberRecord>();
}
