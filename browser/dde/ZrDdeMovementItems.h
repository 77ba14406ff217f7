// Items of the topic "ZR_Movemant": entering and leaving the room, moving.
#pragma once

#include "CRoomEventItemBase.h"
#include "CTextItemBase.h"

class CEnterRoomItem : public CRoomEventItemBase
{
public:
    static constexpr uint16_t kType = 0x100;

    explicit CEnterRoomItem(int32_t side) : CRoomEventItemBase(side) {}
    CEnterRoomItem(uint32_t id, uint32_t kindCode, ZrDdeString name);

    uint16_t GetType() const override { return kType; }
};

class CLeaveRoomItem : public CRoomEventItemBase
{
public:
    static constexpr uint16_t kType = 0x101;

    explicit CLeaveRoomItem(int32_t side) : CRoomEventItemBase(side) {}
    CLeaveRoomItem(uint32_t id, uint32_t kindCode, ZrDdeString name);

    uint16_t GetType() const override { return kType; }
};

// x "," y at both ends.
class CMoveItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x102;

    CMoveItem();
    CMoveItem(uint32_t x, uint32_t y);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    uint32_t GetX() const { return m_x; }
    uint32_t GetY() const { return m_y; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    uint32_t m_x = 0;
    uint32_t m_y = 0;
};

class CMoveErrorItem : public CTextItemBase
{
public:
    static constexpr uint16_t kType = 0x103;

    CMoveErrorItem();
    explicit CMoveErrorItem(ZrDdeString text);

    uint16_t GetType() const override { return kType; }
};
