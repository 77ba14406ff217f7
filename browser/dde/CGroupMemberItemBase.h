// A member joining or leaving a group. The server end writes
// id 1 "," id 2 "," text 1 "," id 3 "," text 2; the client end writes id 1.
#pragma once

#include "CZrDdeItem.h"

class CGroupMemberItemBase : public CZrDdeItem
{
public:
    uint32_t GetSize() const override;
    uint32_t GetId1() const { return m_id1; }
    uint32_t GetId2() const { return m_id2; }
    const ZrDdeString& GetText1() const { return m_text1; }
    uint32_t GetId3() const { return m_id3; }
    const ZrDdeString& GetText2() const { return m_text2; }

protected:
    explicit CGroupMemberItemBase(int32_t side) : CZrDdeItem(side) {}
    CGroupMemberItemBase(uint32_t id1, uint32_t id2, ZrDdeString text1, uint32_t id3,
                         ZrDdeString text2);
    void WriteFields() override;
    bool ReadFields() override;

private:
    uint32_t m_id1 = 0;
    uint32_t m_id2 = 0;
    ZrDdeString m_text1;
    uint32_t m_id3 = 0;
    ZrDdeString m_text2;
};
