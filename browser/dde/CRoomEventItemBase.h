// A person entering or leaving the room. The server end writes
// id "," kind code "," name; the client end writes nothing.
#pragma once

#include "CZrDdeItem.h"

class CRoomEventItemBase : public CZrDdeItem
{
public:
    uint32_t GetSize() const override;
    uint32_t GetId() const { return m_id; }
    uint32_t GetKindCode() const { return m_kindCode; }
    const ZrDdeString& GetName() const { return m_name; }

protected:
    explicit CRoomEventItemBase(int32_t side) : CZrDdeItem(side) {}
    CRoomEventItemBase(uint32_t id, uint32_t kindCode, ZrDdeString name);
    void WriteFields() override;
    bool ReadFields() override;

private:
    uint32_t m_id = 0;
    uint32_t m_kindCode = 0;
    ZrDdeString m_name;
};
