// Items of the topic "ZR_MyInfo": the local user's position and identity.
#pragma once

#include <array>

#include "CIdentityItemBase.h"

// value 1 "," value 2 "," value 3 "," value 4 "," value 5 at both ends.
class CMyPositionItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x400;
    static constexpr size_t kValueCount = 5;
    using Values = std::array<uint32_t, kValueCount>;

    CMyPositionItem();
    void Set(const Values& values) { m_values = values; }

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    const Values& GetValues() const { return m_values; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    Values m_values{};
};

// Server end: id "," text 1 "," text 2 "," text 3 "," text 4 "," bytes.
// Command form: the same without the id.
class CMyInfoItem : public CIdentityItemBase
{
public:
    static constexpr uint16_t kType = 0x401;

    explicit CMyInfoItem(int32_t side) : CIdentityItemBase(side) {}
    void Set(uint32_t id, ZrDdeString text1, ZrDdeString text2, ZrDdeString text3,
             ZrDdeString text4, ZrDdeBytes bytes);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    uint32_t GetId() const { return m_id; }
    const ZrDdeBytes& GetBytes() const { return m_bytes; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    uint32_t m_id = 0;
    ZrDdeBytes m_bytes;
};
