#include "TvlBlob.h"

#include <cstring>

#include "TvlAlloc.h"
#include "TvlLog.h"
#include "TvlNdr.h"

CTvlBlob::CTvlBlob(uint32_t length, const uint8_t* bytes, bool copy)
    : m_owned(1), m_mark(1), m_length(0), m_bytes(nullptr)
{
    if (copy)
        Assign(length, bytes);
    else
        Refer(length, bytes);
}

CTvlBlob::CTvlBlob(uint8_t type, uint8_t value, uint32_t length, const uint8_t* bytes)
    : m_owned(1), m_mark(1), m_length(0), m_bytes(nullptr)
{
    const uint32_t body = bytes ? length : 0;
    if (body > UINT32_MAX - 2)
        TvlOutOfMemory();
    m_length = body + 2;
    m_bytes = static_cast<uint8_t*>(TvlAlloc(m_length, m_mark));
    m_bytes[0] = type;
    m_bytes[1] = value;
    if (body)
        std::memcpy(m_bytes + 2, bytes, body);
}

CTvlBlob::CTvlBlob(const CTvlBlob& other)
    : CTvlObject(other), m_owned(1), m_mark(1), m_length(0), m_bytes(nullptr)
{
    Assign(other.m_length, other.m_bytes);
}

CTvlBlob& CTvlBlob::operator=(const CTvlBlob& other)
{
    if (this != &other)
        Assign(other.m_length, other.m_bytes);
    return *this;
}

CTvlBlob::~CTvlBlob()
{
    Free();
}

void CTvlBlob::Free()
{
    TvlFree(m_bytes, m_mark, m_owned != 0);
}

void CTvlBlob::Assign(uint32_t length, const uint8_t* bytes)
{
    uint8_t* block = nullptr;
    int32_t mark = 1;
    if (length && bytes) {
        block = static_cast<uint8_t*>(TvlAlloc(length, mark));
        std::memcpy(block, bytes, length);
    }
    Free();
    m_owned = 1;
    m_mark = mark;
    m_length = block ? length : 0;
    m_bytes = block;
}

void CTvlBlob::Adopt(uint32_t length, uint8_t* block, int32_t mark)
{
    Free();
    m_owned = 1;
    m_mark = mark;
    m_length = block ? length : 0;
    m_bytes = m_length ? block : nullptr;
    if (block && !m_length)
        TvlFree(block, mark, true);
}

void CTvlBlob::Refer(uint32_t length, const uint8_t* bytes)
{
    Free();
    m_owned = 0;
    m_length = bytes ? length : 0;
    m_bytes = m_length ? const_cast<uint8_t*>(bytes) : nullptr;
}

bool CTvlBlob::Unmarshal(TvlNdr& reader, bool copy)
{
    uint32_t length;
    if (!reader.GetLong(length, true) || length > reader.Remaining())
        return false;
    if (!copy) {
        Refer(length, reader.Cursor());
        reader.Skip(length);
        return true;
    }
    int32_t mark = 1;
    auto* block = static_cast<uint8_t*>(TvlAlloc(length, mark));
    if (!reader.GetBytes(length, block)) {
        TvlFree(block, mark, true);
        return false;
    }
    Adopt(length, block, mark);
    return true;
}

const uint8_t* CTvlBlob::SplitHeader(uint8_t& type, uint8_t& value, uint32_t& bodyLength) const
{
    type = 0;
    value = 0;
    bodyLength = 0;
    if (m_length == 0)
        return nullptr;
    type = m_bytes[0];
    if (m_length >= 2)
        value = m_bytes[1];
    if (m_length <= 2)
        return nullptr;
    bodyLength = m_length - 2;
    return m_bytes + 2;
}
