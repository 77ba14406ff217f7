// Items of the topic "ZR_Place": connecting, navigating, disconnecting, the
// current place and the list of places.
#pragma once

#include <vector>

#include "CTextItemBase.h"
#include "CZrDdeItem.h"

// Server end: name "," second name "," id. Command form: the name only.
class CConnectCommunityItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x000;

    explicit CConnectCommunityItem(int32_t side);
    CConnectCommunityItem(ZrDdeString communityName, ZrDdeString secondName, uint32_t id);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    const ZrDdeString& GetCommunityName() const { return m_communityName; }
    const ZrDdeString& GetSecondName() const { return m_secondName; }
    uint32_t GetId() const { return m_id; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    ZrDdeString m_communityName;
    ZrDdeString m_secondName;
    uint32_t m_id = 0;
};

class CNavigateItem : public CTextItemBase
{
public:
    static constexpr uint16_t kType = 0x001;

    CNavigateItem();
    explicit CNavigateItem(ZrDdeString url);

    uint16_t GetType() const override { return kType; }
    const ZrDdeString& GetUrl() const { return GetText(); }
};

class CDisconnectCommunityItem : public CTextItemBase
{
public:
    static constexpr uint16_t kType = 0x002;

    CDisconnectCommunityItem();
    explicit CDisconnectCommunityItem(ZrDdeString message);

    uint16_t GetType() const override { return kType; }
};

// text 1 "," text 2 at both ends.
class CPlaceInfoItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x003;

    CPlaceInfoItem();
    void Set(ZrDdeString text1, ZrDdeString text2);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    const ZrDdeString& GetText1() const { return m_text1; }
    const ZrDdeString& GetText2() const { return m_text2; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    ZrDdeString m_text1;
    ZrDdeString m_text2;
};

struct CPlaceEntry
{
    ZrDdeString text1;
    ZrDdeString text2;
    uint32_t value1 = 0;
    uint32_t value2 = 0;

    bool IsEmpty() const { return text1.empty() && text2.empty() && value1 == 0 && value2 == 0; }
    bool operator==(const CPlaceEntry& other) const;
};

// Server end: the entries back to back (text 1, text 2, value 1, value 2, no
// separators), ending with an empty entry. The command form carries nothing.
class CQueryPlacesItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x004;

    explicit CQueryPlacesItem(int32_t side);
    // Copies the entries and appends an empty one unless the last is empty.
    explicit CQueryPlacesItem(std::vector<CPlaceEntry> entries);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    const std::vector<CPlaceEntry>& GetEntries() const { return m_entries; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    static uint32_t EntrySize(const CPlaceEntry& entry);
    bool NeedsEndEntry() const;
    void WriteEntry(const CPlaceEntry& entry);
    bool ReadEntry(CPlaceEntry& entry);

    std::vector<CPlaceEntry> m_entries;
};
