#include "ZrItem.h"

#include "TvlNdr.h"

CZrItem::CZrItem(uint8_t type, uint16_t code)
    : m_type(type), m_code(code), m_hasValue(0), m_valid(0), m_value(0)
{
}

CZrItem CZrItem::Text(uint16_t code, const std::string& text)
{
    CZrItem item(kText, code);
    item.m_name = text;
    item.m_hasValue = item.m_valid = 1;
    return item;
}

CZrItem CZrItem::Blob(uint16_t code, uint32_t length, const uint8_t* bytes)
{
    CZrItem item(kBlob, code);
    item.m_blob.Assign(length, bytes);
    item.m_hasValue = item.m_valid = 1;
    return item;
}

CZrItem CZrItem::Number(uint8_t type, uint16_t code, uint32_t value)
{
    CZrItem item(type, code);
    item.m_value = value;
    item.m_hasValue = item.m_valid = 1;
    return item;
}

void CZrItem::Write(TvlNdr& writer, bool full) const
{
    writer.PutByte(static_cast<uint8_t>(m_type | (HasValue() ? 0 : kNoValueBit)));
    writer.PutShort(m_code);
    if (HasValue() || full)
        WriteValue(writer);
}

void CZrItem::WriteValue(TvlNdr& writer) const
{
    switch (m_type) {
    case kText:
        writer.PutText(m_name);
        break;
    case kBlob:
        writer.PutLong(m_blob.Length());
        writer.PutBytes(m_blob.Length(), m_blob.Bytes());
        break;
    case kLong:
        writer.PutLong(m_value);
        break;
    case kShort:
        writer.PutShort(static_cast<uint16_t>(m_value));
        break;
    case kByte:
        writer.PutByte(static_cast<uint8_t>(m_value));
        break;
    default:
        writer.PutByte(m_value != 0 ? 1 : 0);
        break;
    }
}

bool CZrItem::Read(TvlNdr& reader, bool full)
{
    uint32_t typeByte;
    uint32_t code;
    if (!reader.GetOctet(typeByte) || !reader.GetWord(code))
        return false;
    const uint8_t type = static_cast<uint8_t>(typeByte & ~kNoValueBit);
    const bool hasValue = (typeByte & kNoValueBit) == 0;
    if (type > kLastType || (!hasValue && !full))
        return false;
    *this = CZrItem(type, static_cast<uint16_t>(code));
    if (!ReadValue(reader))
        return false;
    m_hasValue = hasValue ? 1 : 0;
    m_valid = 1;
    return true;
}

bool CZrItem::ReadValue(TvlNdr& reader)
{
    int32_t flag;
    switch (m_type) {
    case kText:
        return reader.GetText(m_name);
    case kBlob:
        return m_blob.Unmarshal(reader, true);
    case kLong:
        return reader.GetLong(m_value);
    case kShort:
        return reader.GetWord(m_value);
    case kByte:
        return reader.GetOctet(m_value);
    default:
        if (!reader.GetBool(flag))
            return false;
        m_value = static_cast<uint32_t>(flag);
        return true;
    }
}
