#include "ZrRegistrationList.h"

namespace {

bool HeldAlone(const CZrRegistrationList::Record& record)
{
    return record.handle.use_count() == 1;
}

} // namespace

const ZrRecordHandle* CZrRegistrationList::Find(uint32_t id) const
{
    for (const Record& record : m_records) {
        if (record.id == id)
            return &record.handle;
    }
    return nullptr;
}

bool CZrRegistrationList::Register(uint32_t id, ZrRecordHandle& handle)
{
    if (!handle)
        return false;
    for (Record& record : m_records) {
        if (record.id != id)
            continue;
        if (record.handle == handle)
            return true;
        if (record.handle->Serial() != handle->Serial()) {
            if (!HeldAlone(record))
                return false;
            record.handle = handle;
            return true;
        }
        if (record.handle->DataFlag() != handle->DataFlag())
            return false;
        handle = record.handle;
        return true;
    }
    m_records.push_back({id, handle});
    return true;
}

void CZrRegistrationList::Prune(uint32_t limit)
{
    m_records.remove_if([](const Record& record) { return HeldAlone(record) && record.handle->DataFlag() == 0; });
    size_t alone = 0;
    size_t counted = 0;
    for (const Record& record : m_records) {
        if (HeldAlone(record)) {
            ++alone;
            ++counted;
        } else if (record.handle->DataFlag() != 0) {
            ++counted;
        }
    }
    size_t excess = counted > limit ? counted - limit : 0;
    for (auto it = m_records.begin(); excess > 0 && alone > 0 && it != m_records.end();) {
        if (HeldAlone(*it)) {
            it = m_records.erase(it);
            --excess;
            --alone;
        } else {
            ++it;
        }
    }
}
