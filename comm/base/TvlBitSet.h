// CTvlBitSet: a run of bits numbered from a first index (group seats).
#pragma once

#include <cstdint>
#include <vector>

#include "TvlObject.h"

class CTvlBitSet : public CTvlObject {
public:
    // `count` bits numbered first .. first + count - 1, all clear.
    CTvlBitSet(uint16_t count, uint16_t first);

    // Each acts on bit i - first and answers false when i lies outside
    // [first, first + count); Test answers whether the bit is set.
    bool Set(int32_t i);
    bool Clear(int32_t i);
    bool Test(int32_t i) const;

    // New count; existing bits stay, new ones are clear.
    void Resize(uint16_t count);

    uint16_t Count() const { return m_count; }
    uint16_t First() const { return m_first; }

private:
    bool Locate(int32_t i, uint32_t& word, uint32_t& mask) const;

    uint16_t m_count;
    uint16_t m_first;
    std::vector<uint32_t> m_words;
};
