// A chat line or message. The server end writes
// sender id "," sender name "," text "," payload "," A, then the tail;
// the client end writes text "," payload "," A, then the tail. Each end
// reads the other's form. Subclasses code their own tail.
#pragma once

#include "CZrDdeItem.h"

class CMessageItemBase : public CZrDdeItem
{
public:
    uint32_t GetSize() const override;

    const ZrDdeString& GetText() const { return m_text; }
    const ZrDdeBytes& GetPayload() const { return m_payload; }
    uint32_t GetValueA() const { return m_valueA; }
    uint32_t GetValueB() const { return m_valueB; }
    uint32_t GetSenderId() const { return m_senderId; }
    const ZrDdeString& GetSenderName() const { return m_senderName; }

protected:
    explicit CMessageItemBase(int32_t side) : CZrDdeItem(side) {}
    CMessageItemBase(int32_t side, uint32_t senderId, ZrDdeString senderName, ZrDdeString text,
                     ZrDdeBytes payload, uint32_t valueA, uint32_t valueB);

    void WriteFields() override;
    bool ReadFields() override;

    virtual uint32_t GetTailSize() const = 0;
    // Called at the end of the base part of Write and of Read.
    virtual void WriteTail() = 0;
    virtual bool ReadTail() = 0;

    void WriteValueB() { WriteU32(m_valueB); }
    bool ReadValueB() { return ReadU32(m_valueB); }

private:
    ZrDdeString m_text;
    ZrDdeBytes m_payload;
    uint32_t m_valueA = 0;
    uint32_t m_valueB = 0;
    uint32_t m_senderId = 0;
    ZrDdeString m_senderName;
};
