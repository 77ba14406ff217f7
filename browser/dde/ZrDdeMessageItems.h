// Items of the topic "ZR_Message": chat lines, messages and alerts.
#pragma once

#include "CMessageItemBase.h"

// Tail "," B; B is optional when read.
class CSayItem : public CMessageItemBase
{
public:
    static constexpr uint16_t kType = 0x200;

    explicit CSayItem(int32_t side) : CMessageItemBase(side) {}
    CSayItem(uint32_t senderId, ZrDdeString senderName, ZrDdeString text, ZrDdeBytes payload,
             uint32_t valueA, uint32_t valueB);

    uint16_t GetType() const override { return kType; }

protected:
    uint32_t GetTailSize() const override;
    void WriteTail() override;
    bool ReadTail() override;
};

// Tail "," C at the server end; "," C "," B in the command form, where B is
// optional when read.
class CSendItem : public CMessageItemBase
{
public:
    static constexpr uint16_t kType = 0x201;

    explicit CSendItem(int32_t side) : CMessageItemBase(side) {}
    CSendItem(uint32_t senderId, ZrDdeString senderName, ZrDdeString text, ZrDdeBytes payload,
              uint32_t valueA, uint32_t valueC, uint32_t valueB);
    // The command form, as a client end writes it.
    CSendItem(ZrDdeString text, ZrDdeBytes payload, uint32_t valueA, uint32_t valueC,
              uint32_t valueB);

    uint16_t GetType() const override { return kType; }
    uint32_t GetValueC() const { return m_valueC; }

protected:
    uint32_t GetTailSize() const override;
    void WriteTail() override;
    bool ReadTail() override;

private:
    uint32_t m_valueC = 0;
};

// Server end: id "," text. Command form: the id only.
class CAlertItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x202;

    explicit CAlertItem(int32_t side) : CZrDdeItem(side) {}
    CAlertItem(uint32_t id, ZrDdeString text);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    uint32_t GetId() const { return m_id; }
    const ZrDdeString& GetText() const { return m_text; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    uint32_t m_id = 0;
    ZrDdeString m_text;
};
