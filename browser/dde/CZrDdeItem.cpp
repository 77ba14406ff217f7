#include "CZrDdeItem.h"

#include <algorithm>
#include <cstring>

const uint8_t* CZrDdeItem::Write(uint32_t& size)
{
    FreeBuffer();
    m_buffer.reserve(GetSize());
    WriteFields();
    size = static_cast<uint32_t>(m_buffer.size());
    return m_buffer.data();
}

void CZrDdeItem::FreeBuffer()
{
    std::vector<uint8_t>().swap(m_buffer);
}

bool CZrDdeItem::Read(const uint8_t* data, uint32_t size)
{
    m_cursor = data;
    m_end = data ? data + size : data;
    const bool ok = ReadFields();
    m_cursor = nullptr;
    m_end = nullptr;
    return ok;
}

uint32_t CZrDdeItem::TextSize(const ZrDdeString& text)
{
    return kU16Size + static_cast<uint32_t>(std::min(text.size(), kMaxFieldLength));
}

uint32_t CZrDdeItem::BlockSize(const ZrDdeBytes& block)
{
    return kU16Size + (block.size() > kMaxFieldLength ? 0 : static_cast<uint32_t>(block.size()));
}

void CZrDdeItem::WriteU16(uint16_t value)
{
    const uint8_t low = static_cast<uint8_t>(value);
    const uint8_t high = static_cast<uint8_t>(value >> 8);
    if (m_byteOrder == 1) {
        m_buffer.push_back(high);
        m_buffer.push_back(low);
    } else {
        m_buffer.push_back(low);
        m_buffer.push_back(high);
    }
}

void CZrDdeItem::WriteU32(uint32_t value)
{
    uint8_t bytes[4];
    for (int i = 0; i < 4; ++i) {
        const int shift = m_byteOrder == 1 ? 8 * (3 - i) : 8 * i;
        bytes[i] = static_cast<uint8_t>(value >> shift);
    }
    m_buffer.insert(m_buffer.end(), bytes, bytes + 4);
}

void CZrDdeItem::WriteText(const ZrDdeString& text)
{
    const size_t length = std::min(text.size(), kMaxFieldLength);
    WriteU16(static_cast<uint16_t>(length));
    m_buffer.insert(m_buffer.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

void CZrDdeItem::WriteBlock(const ZrDdeBytes& block)
{
    if (block.size() > kMaxFieldLength) {
        WriteU16(0);
        return;
    }
    WriteU16(static_cast<uint16_t>(block.size()));
    m_buffer.insert(m_buffer.end(), block.begin(), block.end());
}

void CZrDdeItem::WriteSeparator()
{
    m_buffer.push_back(kSeparator);
}

bool CZrDdeItem::ReadU16(uint16_t& value)
{
    if (Remaining() < kU16Size)
        return false;
    const uint16_t first = m_cursor[0];
    const uint16_t second = m_cursor[1];
    value = static_cast<uint16_t>(m_byteOrder == 1 ? (first << 8) | second : (second << 8) | first);
    m_cursor += kU16Size;
    return true;
}

bool CZrDdeItem::ReadU32(uint32_t& value)
{
    if (Remaining() < kU32Size)
        return false;
    uint32_t result = 0;
    for (int i = 0; i < 4; ++i) {
        const int shift = m_byteOrder == 1 ? 8 * (3 - i) : 8 * i;
        result |= static_cast<uint32_t>(m_cursor[i]) << shift;
    }
    value = result;
    m_cursor += kU32Size;
    return true;
}

bool CZrDdeItem::ReadLengthPrefixed(const uint8_t*& bytes, uint16_t& length)
{
    const uint8_t* start = m_cursor;
    if (!ReadU16(length))
        return false;
    if (Remaining() < length) {
        m_cursor = start;
        return false;
    }
    bytes = m_cursor;
    m_cursor += length;
    return true;
}

bool CZrDdeItem::ReadText(ZrDdeString& text)
{
    const uint8_t* bytes = nullptr;
    uint16_t length = 0;
    if (!ReadLengthPrefixed(bytes, length))
        return false;
    if (length != 0) {
        const void* nul = std::memchr(bytes, 0, length);
        const size_t used = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - bytes) : length;
        text.assign(reinterpret_cast<const char*>(bytes), used);
    }
    return true;
}

bool CZrDdeItem::ReadBlock(ZrDdeBytes& block)
{
    const uint8_t* bytes = nullptr;
    uint16_t length = 0;
    if (!ReadLengthPrefixed(bytes, length))
        return false;
    if (length != 0)
        block.assign(bytes, bytes + length);
    return true;
}

bool CZrDdeItem::ReadSeparator()
{
    if (Remaining() < kSeparatorSize)
        return false;
    return *m_cursor++ == kSeparator;
}

bool CZrDdeItem::SkipByte()
{
    if (Remaining() < kSeparatorSize)
        return false;
    ++m_cursor;
    return true;
}

bool CZrDdeItem::ReadOptionalSeparator()
{
    if (Remaining() < kSeparatorSize || *m_cursor != kSeparator)
        return false;
    ++m_cursor;
    return true;
}
