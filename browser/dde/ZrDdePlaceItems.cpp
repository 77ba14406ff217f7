#include "ZrDdePlaceItems.h"

#include <utility>

CConnectCommunityItem::CConnectCommunityItem(int32_t side) : CZrDdeItem(side) {}

CConnectCommunityItem::CConnectCommunityItem(ZrDdeString communityName, ZrDdeString secondName,
                                             uint32_t id)
    : CZrDdeItem(0),
      m_communityName(std::move(communityName)),
      m_secondName(std::move(secondName)),
      m_id(id)
{
}

uint32_t CConnectCommunityItem::GetSize() const
{
    if (!IsServerEnd())
        return TextSize(m_communityName);
    return TextSize(m_communityName) + TextSize(m_secondName) + kU32Size + 2 * kSeparatorSize;
}

void CConnectCommunityItem::WriteFields()
{
    WriteText(m_communityName);
    if (!IsServerEnd())
        return;
    WriteSeparator();
    WriteText(m_secondName);
    WriteSeparator();
    WriteU32(m_id);
}

bool CConnectCommunityItem::ReadFields()
{
    if (IsServerEnd())
        return ReadText(m_communityName);
    return ReadText(m_communityName) && ReadSeparator() && ReadText(m_secondName) &&
           ReadSeparator() && ReadU32(m_id);
}

CNavigateItem::CNavigateItem() : CTextItemBase(kEitherSide, {}) {}

CNavigateItem::CNavigateItem(ZrDdeString url) : CTextItemBase(0, std::move(url)) {}

CDisconnectCommunityItem::CDisconnectCommunityItem() : CTextItemBase(kEitherSide, {}) {}

CDisconnectCommunityItem::CDisconnectCommunityItem(ZrDdeString message)
    : CTextItemBase(0, std::move(message))
{
}

CPlaceInfoItem::CPlaceInfoItem() : CZrDdeItem(kEitherSide) {}

void CPlaceInfoItem::Set(ZrDdeString text1, ZrDdeString text2)
{
    m_text1 = std::move(text1);
    m_text2 = std::move(text2);
}

uint32_t CPlaceInfoItem::GetSize() const
{
    return TextSize(m_text1) + kSeparatorSize + TextSize(m_text2);
}

void CPlaceInfoItem::WriteFields()
{
    WriteText(m_text1);
    WriteSeparator();
    WriteText(m_text2);
}

bool CPlaceInfoItem::ReadFields()
{
    return ReadText(m_text1) && ReadSeparator() && ReadText(m_text2);
}

bool CPlaceEntry::operator==(const CPlaceEntry& other) const
{
    return text1 == other.text1 && text2 == other.text2 && value1 == other.value1 &&
           value2 == other.value2;
}

CQueryPlacesItem::CQueryPlacesItem(int32_t side) : CZrDdeItem(side) {}

CQueryPlacesItem::CQueryPlacesItem(std::vector<CPlaceEntry> entries)
    : CZrDdeItem(0), m_entries(std::move(entries))
{
    if (NeedsEndEntry())
        m_entries.emplace_back();
}

bool CQueryPlacesItem::NeedsEndEntry() const
{
    return m_entries.empty() || !m_entries.back().IsEmpty();
}

uint32_t CQueryPlacesItem::EntrySize(const CPlaceEntry& entry)
{
    return TextSize(entry.text1) + TextSize(entry.text2) + 2 * kU32Size;
}

uint32_t CQueryPlacesItem::GetSize() const
{
    if (!IsServerEnd())
        return 0;
    uint32_t size = NeedsEndEntry() ? EntrySize(CPlaceEntry()) : 0;
    for (const CPlaceEntry& entry : m_entries)
        size += EntrySize(entry);
    return size;
}

void CQueryPlacesItem::WriteEntry(const CPlaceEntry& entry)
{
    WriteText(entry.text1);
    WriteText(entry.text2);
    WriteU32(entry.value1);
    WriteU32(entry.value2);
}

// The list on the wire always ends with an empty entry, also when the entries
// were read from a peer, which does not keep it.
void CQueryPlacesItem::WriteFields()
{
    if (!IsServerEnd())
        return;
    for (const CPlaceEntry& entry : m_entries)
        WriteEntry(entry);
    if (NeedsEndEntry())
        WriteEntry(CPlaceEntry());
}

bool CQueryPlacesItem::ReadEntry(CPlaceEntry& entry)
{
    return ReadText(entry.text1) && ReadText(entry.text2) && ReadU32(entry.value1) &&
           ReadU32(entry.value2);
}

bool CQueryPlacesItem::ReadFields()
{
    if (IsServerEnd())
        return true;
    m_entries.clear();
    for (;;) {
        CPlaceEntry entry;
        if (!ReadEntry(entry))
            return false;
        if (entry.IsEmpty())
            return true;
        m_entries.push_back(std::move(entry));
    }
}
