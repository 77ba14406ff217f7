#include "ZrDdeMessageItems.h"

#include <utility>

CSayItem::CSayItem(uint32_t senderId, ZrDdeString senderName, ZrDdeString text,
                   ZrDdeBytes payload, uint32_t valueA, uint32_t valueB)
    : CMessageItemBase(0, senderId, std::move(senderName), std::move(text), std::move(payload),
                       valueA, valueB)
{
}

uint32_t CSayItem::GetTailSize() const
{
    return kSeparatorSize + kU32Size;
}

void CSayItem::WriteTail()
{
    WriteSeparator();
    WriteValueB();
}

bool CSayItem::ReadTail()
{
    if (ReadOptionalSeparator())
        ReadValueB();
    return true;
}

CSendItem::CSendItem(uint32_t senderId, ZrDdeString senderName, ZrDdeString text,
                     ZrDdeBytes payload, uint32_t valueA, uint32_t valueC, uint32_t valueB)
    : CMessageItemBase(0, senderId, std::move(senderName), std::move(text), std::move(payload),
                       valueA, valueB),
      m_valueC(valueC)
{
}

CSendItem::CSendItem(ZrDdeString text, ZrDdeBytes payload, uint32_t valueA, uint32_t valueC,
                     uint32_t valueB)
    : CMessageItemBase(1, 0, {}, std::move(text), std::move(payload), valueA, valueB),
      m_valueC(valueC)
{
}

uint32_t CSendItem::GetTailSize() const
{
    const uint32_t valueSize = kSeparatorSize + kU32Size;
    return IsServerEnd() ? valueSize : 2 * valueSize;
}

void CSendItem::WriteTail()
{
    WriteSeparator();
    WriteU32(m_valueC);
    if (IsServerEnd())
        return;
    WriteSeparator();
    WriteValueB();
}

bool CSendItem::ReadTail()
{
    if (!(ReadSeparator() && ReadU32(m_valueC)))
        return false;
    if (IsServerEnd() && ReadOptionalSeparator())
        ReadValueB();
    return true;
}

CAlertItem::CAlertItem(uint32_t id, ZrDdeString text)
    : CZrDdeItem(0), m_id(id), m_text(std::move(text))
{
}

uint32_t CAlertItem::GetSize() const
{
    if (!IsServerEnd())
        return kU32Size;
    return kU32Size + kSeparatorSize + TextSize(m_text);
}

void CAlertItem::WriteFields()
{
    WriteU32(m_id);
    if (!IsServerEnd())
        return;
    WriteSeparator();
    WriteText(m_text);
}

bool CAlertItem::ReadFields()
{
    if (IsServerEnd())
        return ReadU32(m_id);
    return ReadU32(m_id) && ReadSeparator() && ReadText(m_text);
}
