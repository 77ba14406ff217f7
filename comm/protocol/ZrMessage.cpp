#include "ZrMessage.h"

#include "TvlBlob.h"

void CZrMessage::SetHeader(uint16_t type)
{
    static_cast<TvlNdr&>(*this) = TvlNdr();
    m_type = type;
    m_channel = 0;
    m_headerLength = 2;
    PutShort(type);
    if (!HasNoFlags(type)) {
        PutByte(0);
        m_headerLength = 3;
    }
}

bool CZrMessage::GetFlag() const
{
    return m_headerLength > 2 && Used() > 2 && (Data()[2] & kZrFlagMayIgnore) != 0;
}

void CZrMessage::SetFlag(bool on)
{
    if (m_headerLength <= 2 || Used() <= 2) {
        return;
    }
    uint8_t* flags = const_cast<uint8_t*>(Data()) + 2;
    *flags = on ? (*flags | kZrFlagMayIgnore) : (*flags & ~kZrFlagMayIgnore);
}

uint32_t CZrMessage::WriteChannelPrefix(uint8_t (&area)[kChannelPrefixLength]) const
{
    if (m_channel == 0) {
        return 0;
    }
    area[0] = 0;
    area[1] = kZrChannelData;
    area[2] = static_cast<uint8_t>(m_channel >> 24);
    area[3] = static_cast<uint8_t>(m_channel >> 16);
    area[4] = static_cast<uint8_t>(m_channel >> 8);
    area[5] = static_cast<uint8_t>(m_channel);
    return kChannelPrefixLength;
}

void CZrMessage::PutBlob(const CTvlBlob& blob)
{
    PutLong(blob.Length());
    PutBytes(blob.Length(), blob.Bytes());
}

void CZrMessage::PutCoded(const TvlNdr& coded)
{
    PutBytes(coded.Used(), coded.Data());
}

void CZrMessage::BuildHello(uint16_t major, uint16_t minor, uint8_t mode)
{
    SetHeader(kZrHello);
    PutShort(major);
    PutShort(minor);
    PutByte(mode);
}

void CZrMessage::BuildClose(uint16_t code)
{
    SetHeader(kZrCloseWithCode);
    PutShort(code);
}

void CZrMessage::BuildErrorReport(uint8_t module, uint8_t error, uint32_t length,
                                  const uint8_t* bytes, uint32_t offset)
{
    BuildClose(kZrProtocolErrorCode);
    PutByte(module);
    PutByte(error);
    PutLong(length);
    PutBytes(length, bytes);
    PutLong(offset);
}

void CZrMessage::BuildText(uint32_t sender, std::string_view text, const CTvlBlob& attachment,
                           uint32_t target)
{
    SetHeader(kZrText);
    PutLong(sender);
    PutText(text);
    PutBlob(attachment);
    PutLong(target);
}

void CZrMessage::BuildBroadcast(uint32_t id, const TvlNdr& record, const bool* flag)
{
    SetHeader(kZrBroadcast);
    PutLong(id);
    PutCoded(record);
    if (flag != nullptr) {
        PutByte(*flag ? 1 : 0);
    }
}

void CZrMessage::BuildLookupRequest(uint32_t first, uint32_t second, uint32_t third,
                                    std::string_view text, bool flagA, bool flagB)
{
    SetHeader(10);
    PutLong(first);
    PutLong(second);
    PutLong(third);
    PutText(text);
    PutByte(flagA ? 1 : 0);
    PutByte(flagB ? 1 : 0);
}

void CZrMessage::BuildLogin(uint16_t placeKey, const StatusRecord& nameKey, uint16_t kind,
                            const CTvlBlob& credentials)
{
    SetHeader(kZrLogin);
    PutShort(placeKey);
    WriteStatusRecord(*this, nameKey);
    PutShort(kind);
    PutBlob(credentials);
}

void CZrMessage::BuildWelcomeReply(uint16_t placeKey, const TvlNdr& description,
                                   uint32_t loginValue, uint32_t secondLoginValue)
{
    SetHeader(kZrWelcomeReply);
    PutShort(placeKey);
    PutCoded(description);
    PutLong(loginValue);
    PutLong(secondLoginValue);
}

void CZrMessage::BuildLeave(uint16_t placeKey, uint32_t myselfId, uint16_t code)
{
    SetHeader(kZrLeave);
    PutShort(placeKey);
    PutLong(myselfId);
    PutShort(code);
}

void CZrMessage::BuildPictureRequest(uint32_t first, uint32_t second, const CTvlBlob* blob)
{
    SetHeader(19);
    PutLong(first);
    PutLong(second);
    PutByte(blob != nullptr ? 1 : 0);
    if (blob != nullptr) {
        PutBlob(*blob);
    }
}

void CZrMessage::BuildMembersRequest(uint32_t first, uint32_t second, uint32_t third, uint16_t value,
                                     uint32_t fifth, uint32_t sixth)
{
    SetHeader(21);
    PutLong(first);
    PutLong(second);
    PutLong(third);
    PutShort(value);
    PutLong(fifth);
    PutLong(sixth);
}

void CZrMessage::BuildTextsRequest(uint32_t id, std::string_view first, std::string_view second)
{
    SetHeader(23);
    PutLong(id);
    PutText(first);
    PutText(second);
}

void CZrMessage::BuildPlaceListRequest(uint32_t first, uint32_t second)
{
    SetHeader(24);
    PutLong(first);
    PutLong(second);
}

void CZrMessage::BuildPlacesQuery(uint32_t first, uint32_t second, uint32_t third, bool flag)
{
    SetHeader(25);
    SetFlag(true);
    PutLong(first);
    PutLong(second);
    PutLong(third);
    PutByte(flag ? 1 : 0);
}

void CZrMessage::BuildMemberRequest(uint32_t first, uint32_t second, uint16_t value,
                                    std::string_view text, const CTvlBlob& blob, uint32_t last)
{
    SetHeader(28);
    PutLong(first);
    PutLong(second);
    PutShort(value);
    PutText(text);
    PutBlob(blob);
    PutLong(last);
}

void CZrMessage::BuildWindowAck(uint32_t count)
{
    SetHeader(kZrWindowAck);
    PutLong(count);
}

void CZrMessage::WriteStatusRecord(TvlNdr& writer, const StatusRecord& record)
{
    writer.PutText(record.text);
    writer.PutByte(record.value);
}

void CZrMessage::WriteStatusPayload(TvlNdr& writer, const StatusRecord& record, uint8_t value,
                                    uint32_t number, std::string_view text)
{
    WriteStatusRecord(writer, record);
    writer.PutByte(value);
    writer.PutLong(number);
    writer.PutText(text);
}

void CZrMessage::WriteStatusPayload(TvlNdr& writer, const StatusRecord& record,
                                    std::string_view first, std::string_view second)
{
    WriteStatusRecord(writer, record);
    writer.PutText(first);
    writer.PutText(second);
}

void CZrMessage::Destroy()
{
    static_cast<TvlNdr&>(*this) = TvlNdr(0, nullptr);
    m_type = 0;
    m_headerLength = 0;
    m_channel = 0;
}
