// A pairing between two members. The server end writes
// first id "," second id "," text; the command form that the client end
// writes is nothing unless a subclass codes one.
#pragma once

#include "CZrDdeItem.h"

class COneOnOneItemBase : public CZrDdeItem
{
public:
    uint32_t GetSize() const override;
    uint32_t GetFirstId() const { return m_firstId; }
    uint32_t GetSecondId() const { return m_secondId; }
    const ZrDdeString& GetText() const { return m_text; }

protected:
    explicit COneOnOneItemBase(int32_t side) : CZrDdeItem(side) {}
    COneOnOneItemBase(uint32_t firstId, uint32_t secondId, ZrDdeString text);
    void WriteFields() override;
    bool ReadFields() override;

    virtual uint32_t GetCommandSize() const { return 0; }
    virtual void WriteCommand() {}
    virtual bool ReadCommand() { return true; }

    void WriteSecondId() { WriteU32(m_secondId); }
    bool ReadSecondId() { return ReadU32(m_secondId); }

private:
    uint32_t m_firstId = 0;
    uint32_t m_secondId = 0;
    ZrDdeString m_text;
};
