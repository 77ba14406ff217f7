#include "TvlNdr.h"

#include <cstring>

#include "TvlAlloc.h"
#include "TvlLog.h"

namespace {

// Line of the text-length check that TvlFatal reports; peers and logs know
// the failure by this number.
constexpr int32_t kTextTooLongLine = 178;
// Largest multiple of 65536 that a 32-bit signed capacity can hold.
constexpr uint64_t kMaxCapacity = 0x7FFF0000;

uint16_t LoadShort(const uint8_t* p, bool network)
{
    return network ? static_cast<uint16_t>(p[0] << 8 | p[1])
                   : static_cast<uint16_t>(p[1] << 8 | p[0]);
}

uint32_t LoadLong(const uint8_t* p, bool network)
{
    if (network)
        return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    return uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
}

} // namespace

TvlNdr::TvlNdr()
    : m_borrowed(0),
      m_start(TvlPoolGet(kTvlPoolBlockSize)),
      m_capacity(kTvlPoolBlockSize),
      m_cursor(m_start)
{
}

TvlNdr::TvlNdr(uint32_t length, const uint8_t* bytes)
    : m_borrowed(1),
      m_start(const_cast<uint8_t*>(bytes)),
      m_capacity(bytes ? length : 0),
      m_cursor(m_start)
{
}

TvlNdr::TvlNdr(const TvlNdr& other) : CTvlObject(other)
{
    CopyFrom(other);
}

TvlNdr& TvlNdr::operator=(const TvlNdr& other)
{
    if (this != &other) {
        Release();
        CopyFrom(other);
    }
    return *this;
}

TvlNdr::~TvlNdr()
{
    Release();
}

void TvlNdr::CopyFrom(const TvlNdr& other)
{
    m_borrowed = other.m_borrowed;
    m_capacity = other.m_capacity;
    if (m_borrowed) {
        m_start = other.m_start;
        m_cursor = other.m_cursor;
        return;
    }
    const uint32_t used = other.Used();
    m_start = TvlPoolGet(m_capacity);
    if (used)
        std::memcpy(m_start, other.m_start, used);
    m_cursor = m_start + used;
}

void TvlNdr::Release()
{
    if (!m_borrowed)
        TvlPoolPut(m_capacity, m_start);
}

void TvlNdr::Reserve(uint32_t n)
{
    const uint32_t used = Used();
    const uint64_t need = uint64_t{used} + n;
    if (n == 0 || (!m_borrowed && need <= m_capacity))
        return;
    const uint64_t capacity = (2 * need + 0xFFFF) & ~uint64_t{0xFFFF};
    if (capacity > kMaxCapacity)
        TvlOutOfMemory();
    uint8_t* block = TvlPoolGet(static_cast<uint32_t>(capacity));
    if (used)
        std::memcpy(block, m_start, used);
    Release();
    m_borrowed = 0;
    m_start = block;
    m_capacity = static_cast<uint32_t>(capacity);
    m_cursor = m_start + used;
}

uint8_t* TvlNdr::Advance(uint32_t n)
{
    Reserve(n);
    uint8_t* at = m_cursor;
    m_cursor += n;
    return at;
}

void TvlNdr::PutByte(uint8_t value)
{
    *Advance(1) = value;
}

void TvlNdr::PutShort(uint16_t value, bool network)
{
    uint8_t* p = Advance(2);
    const uint8_t high = static_cast<uint8_t>(value >> 8);
    const uint8_t low = static_cast<uint8_t>(value);
    p[0] = network ? high : low;
    p[1] = network ? low : high;
}

void TvlNdr::PutLong(uint32_t value, bool network)
{
    uint8_t* p = Advance(4);
    for (int i = 0; i < 4; ++i) {
        const int shift = network ? 24 - 8 * i : 8 * i;
        p[i] = static_cast<uint8_t>(value >> shift);
    }
}

void TvlNdr::PutText(std::string_view text)
{
    if (text.size() > kMaxText)
        TvlFatal(kTextTooLongLine, "TvlNdr");
    const auto length = static_cast<uint16_t>(text.size());
    PutShort(length, true);
    PutBytes(length, text.data());
}

void TvlNdr::PutBytes(uint32_t n, const void* bytes)
{
    if (n == 0)
        return;
    std::memcpy(Advance(n), bytes, n);
}

bool TvlNdr::GetByte(uint8_t& out)
{
    if (Remaining() < 1)
        return false;
    out = *m_cursor++;
    return true;
}

bool TvlNdr::GetShort(uint16_t& out, bool network)
{
    if (Remaining() < 2)
        return false;
    out = LoadShort(m_cursor, network);
    m_cursor += 2;
    return true;
}

bool TvlNdr::GetLong(uint32_t& out, bool network)
{
    if (Remaining() < 4)
        return false;
    out = LoadLong(m_cursor, network);
    m_cursor += 4;
    return true;
}

bool TvlNdr::GetBool(int32_t& out)
{
    uint8_t value;
    if (!GetByte(value))
        return false;
    out = value & 1;
    return true;
}

bool TvlNdr::GetText(std::string& out)
{
    uint16_t length;
    if (!GetShort(length, true))
        return false;
    if (length > kMaxText || length > Remaining())
        return false;
    out.assign(reinterpret_cast<const char*>(m_cursor), length);
    m_cursor += length;
    return true;
}

bool TvlNdr::GetBytes(uint32_t n, void* destination)
{
    if (n == 0)
        return true;
    if (!destination || Remaining() < n)
        return false;
    std::memcpy(destination, m_cursor, n);
    m_cursor += n;
    return true;
}

bool TvlNdr::GetWord(uint32_t& out)
{
    uint16_t value;
    if (!GetShort(value, true))
        return false;
    out = value;
    return true;
}

bool TvlNdr::GetOctet(uint32_t& out)
{
    uint8_t value;
    if (!GetByte(value))
        return false;
    out = value;
    return true;
}

bool TvlNdr::GetKind(uint32_t& out)
{
    if (!GetWord(out))
        return false;
    const uint32_t high = out & 0xFF00;
    return high != 0 && (high & (high - 1)) == 0;
}

bool TvlNdr::Skip(uint32_t n)
{
    if (Remaining() < n)
        return false;
    m_cursor += n;
    return true;
}
