#include "CMessageItemBase.h"

#include <utility>

CMessageItemBase::CMessageItemBase(int32_t side, uint32_t senderId, ZrDdeString senderName,
                                   ZrDdeString text, ZrDdeBytes payload, uint32_t valueA,
                                   uint32_t valueB)
    : CZrDdeItem(side),
      m_text(std::move(text)),
      m_payload(std::move(payload)),
      m_valueA(valueA),
      m_valueB(valueB),
      m_senderId(senderId),
      m_senderName(std::move(senderName))
{
}

uint32_t CMessageItemBase::GetSize() const
{
    uint32_t size = TextSize(m_text) + kSeparatorSize + BlockSize(m_payload) + kSeparatorSize +
                    kU32Size + GetTailSize();
    if (IsServerEnd())
        size += kU32Size + kSeparatorSize + TextSize(m_senderName) + kSeparatorSize;
    return size;
}

void CMessageItemBase::WriteFields()
{
    if (IsServerEnd()) {
        WriteU32(m_senderId);
        WriteSeparator();
        WriteText(m_senderName);
        WriteSeparator();
    }
    WriteText(m_text);
    WriteSeparator();
    WriteBlock(m_payload);
    WriteSeparator();
    WriteU32(m_valueA);
    WriteTail();
}

bool CMessageItemBase::ReadFields()
{
    if (!IsServerEnd()) {
        if (!(ReadU32(m_senderId) && ReadSeparator() && ReadText(m_senderName) && ReadSeparator()))
            return false;
    }
    return ReadText(m_text) && ReadSeparator() && ReadBlock(m_payload) && ReadSeparator() &&
           ReadU32(m_valueA) && ReadTail();
}
