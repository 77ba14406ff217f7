// The "ParametersList" items of the topics "ZR_GroupInfo", "ZR_IdInfo" and
// "ZR_Version". Coded the same at both ends.
#pragma once

#include <array>
#include <vector>

#include "CZrDdeItem.h"

// flag word "," name "," value "," bytes "," then the member values as u32
// with no separators, ending with 0.
class CGroupInfoItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x600;

    CGroupInfoItem();
    // Takes the first 32-bit field of each member record and appends 0
    // unless the last value is already 0.
    void Set(uint32_t flagWord, ZrDdeString name, uint32_t value, ZrDdeBytes bytes,
             const std::vector<uint32_t>& memberValues);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    uint32_t GetFlagWord() const { return m_flagWord; }
    const ZrDdeString& GetName() const { return m_name; }
    uint32_t GetValue() const { return m_value; }
    const ZrDdeBytes& GetBytes() const { return m_bytes; }
    // After a read, the values before the ending 0.
    const std::vector<uint32_t>& GetMembers() const { return m_members; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    bool NeedsEndValue() const;

    uint32_t m_flagWord = 0;
    ZrDdeString m_name;
    uint32_t m_value = 0;
    ZrDdeBytes m_bytes;
    std::vector<uint32_t> m_members;
};

// value 1 "," value 2 "," text "," value 3 "," value 4 "," value 5 "," value 6.
class CIdInfoItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x700;

    CIdInfoItem();
    void Set(uint32_t value1, uint32_t value2, ZrDdeString text, uint32_t value3, uint32_t value4,
             uint32_t value5, uint32_t value6);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    uint32_t GetValue1() const { return m_value1; }
    uint32_t GetValue2() const { return m_value2; }
    const ZrDdeString& GetText() const { return m_text; }
    // Values 3 to 6.
    const std::array<uint32_t, 4>& GetMoreValues() const { return m_moreValues; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    uint32_t m_value1 = 0;
    uint32_t m_value2 = 0;
    ZrDdeString m_text;
    std::array<uint32_t, 4> m_moreValues{};
};

// Writes the own version as 4 bytes. Reads one u32: a client end takes it as
// the peer's version, the server end as the third value.
class CVersionItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x800;
    static constexpr uint32_t kOwnVersion = 0x10000;

    explicit CVersionItem(int32_t side = kEitherSide) : CZrDdeItem(side) {}
    void CopyValuesFrom(const CVersionItem& other);

    uint32_t GetSize() const override { return kU32Size; }
    uint16_t GetType() const override { return kType; }
    uint32_t GetOwnVersion() const { return m_ownVersion; }
    uint32_t GetPeerVersion() const { return m_peerVersion; }
    uint32_t GetThirdValue() const { return m_thirdValue; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    uint32_t m_ownVersion = kOwnVersion;
    uint32_t m_peerVersion = 0;
    uint32_t m_thirdValue = 0;
};
