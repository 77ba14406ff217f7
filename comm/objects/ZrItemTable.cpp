#include "ZrItemTable.h"

#include "TvlNdr.h"

CZrItemTable::CZrItemTable() : m_items(CTvlList::kOwns) {}

CZrItemTable::CZrItemTable(const CZrItemTable& other) : CTvlObject(other), m_items(CTvlList::kOwns)
{
    *this = other;
}

CZrItemTable& CZrItemTable::operator=(const CZrItemTable& other)
{
    if (this == &other)
        return *this;
    Clear();
    for (CTvlListIter it = other.Begin(); it.IsValid(); it.Next())
        m_items.Append(new CZrItem(*it.Get<CZrItem>()));
    return *this;
}

CZrItem* CZrItemTable::Put(const CZrItem& item)
{
    if (CZrItem* held = Find(item.GetCode())) {
        *held = item;
        return held;
    }
    CZrItem* added = new CZrItem(item);
    m_items.Append(added);
    return added;
}

CZrItem* CZrItemTable::Find(uint16_t code) const
{
    for (CTvlListIter it = m_items.Begin(); it.IsValid(); it.Next()) {
        CZrItem* item = it.Get<CZrItem>();
        if (item->GetCode() == code)
            return item;
    }
    return nullptr;
}

std::unique_ptr<CZrItem> CZrItemTable::Take(uint16_t code)
{
    CZrItem* item = Find(code);
    if (item)
        m_items.Unlink(item);
    return std::unique_ptr<CZrItem>(item);
}

void CZrItemTable::Write(TvlNdr& writer, bool full) const
{
    writer.PutShort(static_cast<uint16_t>(Count()));
    for (CTvlListIter it = m_items.Begin(); it.IsValid(); it.Next())
        it.Get<CZrItem>()->Write(writer, full);
}

bool CZrItemTable::Read(TvlNdr& reader, bool full)
{
    uint32_t count;
    if (!reader.GetWord(count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        CZrItem item;
        if (!item.Read(reader, full))
            return false;
        Put(item);
    }
    return true;
}
