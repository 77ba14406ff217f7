// Items of the topic "ZR_Group": one-on-one pairings, groups and their
// members, and group errors.
#pragma once

#include "CGroupMemberItemBase.h"
#include "COneOnOneItemBase.h"
#include "CTextItemBase.h"

// Command form: the second id only.
class CStart1on1Item : public COneOnOneItemBase
{
public:
    static constexpr uint16_t kType = 0x300;

    explicit CStart1on1Item(int32_t side) : COneOnOneItemBase(side) {}
    CStart1on1Item(uint32_t firstId, uint32_t secondId, ZrDdeString text);

    uint16_t GetType() const override { return kType; }

protected:
    uint32_t GetCommandSize() const override { return kU32Size; }
    void WriteCommand() override { WriteSecondId(); }
    bool ReadCommand() override { return ReadSecondId(); }
};

class CBreak1on1Item : public COneOnOneItemBase
{
public:
    static constexpr uint16_t kType = 0x301;

    explicit CBreak1on1Item(int32_t side) : COneOnOneItemBase(side) {}
    CBreak1on1Item(uint32_t firstId, uint32_t secondId, ZrDdeString text);

    uint16_t GetType() const override { return kType; }
};

// Server end: id "," group value "," name "," value "," second id "," text.
// Command form: group value "," name "," value ["," bytes].
class CStartGroupItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x302;

    explicit CStartGroupItem(int32_t side) : CZrDdeItem(side) {}
    CStartGroupItem(uint32_t id, uint32_t groupValue, ZrDdeString name, uint32_t value,
                    uint32_t secondId, ZrDdeString text);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    uint32_t GetGroupValue() const { return m_groupValue; }
    const ZrDdeString& GetName() const { return m_name; }
    uint32_t GetValue() const { return m_value; }
    uint32_t GetId() const { return m_id; }
    uint32_t GetSecondId() const { return m_secondId; }
    const ZrDdeString& GetText() const { return m_text; }
    const ZrDdeBytes& GetBytes() const { return m_bytes; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    void WriteServerForm();
    void WriteCommandForm();
    bool ReadServerForm();
    bool ReadCommandForm();

    uint32_t m_groupValue = 0;
    ZrDdeString m_name;
    uint32_t m_value = 0;
    uint32_t m_id = 0;
    uint32_t m_secondId = 0;
    ZrDdeString m_text;
    ZrDdeBytes m_bytes;
};

class CBreakGroupItem : public COneOnOneItemBase
{
public:
    static constexpr uint16_t kType = 0x303;

    explicit CBreakGroupItem(int32_t side) : COneOnOneItemBase(side) {}
    CBreakGroupItem(uint32_t firstId, uint32_t secondId, ZrDdeString text);

    uint16_t GetType() const override { return kType; }
};

class CJoinGroupItem : public CGroupMemberItemBase
{
public:
    static constexpr uint16_t kType = 0x304;

    explicit CJoinGroupItem(int32_t side) : CGroupMemberItemBase(side) {}
    CJoinGroupItem(uint32_t id1, uint32_t id2, ZrDdeString text1, uint32_t id3, ZrDdeString text2);

    uint16_t GetType() const override { return kType; }
};

class CLeaveGroupItem : public CGroupMemberItemBase
{
public:
    static constexpr uint16_t kType = 0x305;

    explicit CLeaveGroupItem(int32_t side) : CGroupMemberItemBase(side) {}
    CLeaveGroupItem(uint32_t id1, uint32_t id2, ZrDdeString text1, uint32_t id3, ZrDdeString text2);

    uint16_t GetType() const override { return kType; }
};

class CGroupErrorItem : public CTextItemBase
{
public:
    static constexpr uint16_t kType = 0x306;

    CGroupErrorItem();
    explicit CGroupErrorItem(ZrDdeString text);

    uint16_t GetType() const override { return kType; }
};
