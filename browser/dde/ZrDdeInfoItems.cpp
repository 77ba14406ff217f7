#include "ZrDdeInfoItems.h"

#include <utility>

CGroupInfoItem::CGroupInfoItem() : CZrDdeItem(kEitherSide) {}

void CGroupInfoItem::Set(uint32_t flagWord, ZrDdeString name, uint32_t value, ZrDdeBytes bytes,
                         const std::vector<uint32_t>& memberValues)
{
    m_flagWord = flagWord;
    m_name = std::move(name);
    m_value = value;
    m_bytes = std::move(bytes);
    m_members = memberValues;
    if (NeedsEndValue())
        m_members.push_back(0);
}

bool CGroupInfoItem::NeedsEndValue() const
{
    return m_members.empty() || m_members.back() != 0;
}

uint32_t CGroupInfoItem::GetSize() const
{
    const size_t values = m_members.size() + (NeedsEndValue() ? 1 : 0);
    return 2 * kU32Size + TextSize(m_name) + BlockSize(m_bytes) + 4 * kSeparatorSize +
           static_cast<uint32_t>(values) * kU32Size;
}

// The member list on the wire always ends with 0, also when the values were
// read from a peer, which does not keep it.
void CGroupInfoItem::WriteFields()
{
    WriteU32(m_flagWord);
    WriteSeparator();
    WriteText(m_name);
    WriteSeparator();
    WriteU32(m_value);
    WriteSeparator();
    WriteBlock(m_bytes);
    WriteSeparator();
    for (uint32_t member : m_members)
        WriteU32(member);
    if (NeedsEndValue())
        WriteU32(0);
}

bool CGroupInfoItem::ReadFields()
{
    if (!(ReadU32(m_flagWord) && ReadSeparator() && ReadText(m_name) && ReadSeparator() &&
          ReadU32(m_value) && ReadSeparator() && ReadBlock(m_bytes) && ReadSeparator()))
        return false;
    m_members.clear();
    for (;;) {
        uint32_t member = 0;
        if (!ReadU32(member))
            return false;
        if (member == 0)
            return true;
        m_members.push_back(member);
    }
}

CIdInfoItem::CIdInfoItem() : CZrDdeItem(kEitherSide) {}

void CIdInfoItem::Set(uint32_t value1, uint32_t value2, ZrDdeString text, uint32_t value3,
                      uint32_t value4, uint32_t value5, uint32_t value6)
{
    m_value1 = value1;
    m_value2 = value2;
    m_text = std::move(text);
    m_moreValues = {value3, value4, value5, value6};
}

uint32_t CIdInfoItem::GetSize() const
{
    return 6 * kU32Size + TextSize(m_text) + 6 * kSeparatorSize;
}

void CIdInfoItem::WriteFields()
{
    WriteU32(m_value1);
    WriteSeparator();
    WriteU32(m_value2);
    WriteSeparator();
    WriteText(m_text);
    for (uint32_t value : m_moreValues) {
        WriteSeparator();
        WriteU32(value);
    }
}

bool CIdInfoItem::ReadFields()
{
    if (!(ReadU32(m_value1) && ReadSeparator() && ReadU32(m_value2) && ReadSeparator() &&
          ReadText(m_text)))
        return false;
    for (uint32_t& value : m_moreValues) {
        if (!(ReadSeparator() && ReadU32(value)))
            return false;
    }
    return true;
}

void CVersionItem::CopyValuesFrom(const CVersionItem& other)
{
    m_ownVersion = other.m_ownVersion;
    m_peerVersion = other.m_peerVersion;
    m_thirdValue = other.m_thirdValue;
}

void CVersionItem::WriteFields()
{
    WriteU32(m_ownVersion);
}

bool CVersionItem::ReadFields()
{
    return ReadU32(IsServerEnd() ? m_thirdValue : m_peerVersion);
}
