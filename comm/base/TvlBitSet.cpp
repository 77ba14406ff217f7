#include "TvlBitSet.h"

#include <cstddef>

namespace {

size_t WordsFor(uint16_t count)
{
    return (size_t{count} + 31) / 32;
}

} // namespace

CTvlBitSet::CTvlBitSet(uint16_t count, uint16_t first) : m_count(count), m_first(first), m_words(WordsFor(count), 0)
{
}

bool CTvlBitSet::Locate(int32_t i, uint32_t& word, uint32_t& mask) const
{
    const int64_t bit = int64_t{i} - m_first;
    if (bit < 0 || bit >= m_count)
        return false;
    word = static_cast<uint32_t>(bit / 32);
    mask = uint32_t{1} << (bit % 32);
    return true;
}

bool CTvlBitSet::Set(int32_t i)
{
    uint32_t word, mask;
    if (!Locate(i, word, mask))
        return false;
    m_words[word] |= mask;
    return true;
}

bool CTvlBitSet::Clear(int32_t i)
{
    uint32_t word, mask;
    if (!Locate(i, word, mask))
        return false;
    m_words[word] &= ~mask;
    return true;
}

bool CTvlBitSet::Test(int32_t i) const
{
    uint32_t word, mask;
    return Locate(i, word, mask) && (m_words[word] & mask) != 0;
}

void CTvlBitSet::Resize(uint16_t count)
{
    // Bits dropped by a shrink must not come back by a later growth.
    for (uint32_t bit = count; bit < m_count; ++bit)
        m_words[bit / 32] &= ~(uint32_t{1} << (bit % 32));
    m_words.resize(WordsFor(count), 0);
    m_count = count;
}
