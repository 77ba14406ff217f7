// CZrMemberFlags: what the server forbids a member to do, a 16-bit word.
#pragma once

#include <cstdint>

class TvlNdr;

class CZrMemberFlags {
public:
    // May not send chat text, send to objects or change group.
    static constexpr uint16_t kNoSend = 0x2;
    // The member's data may not change.
    static constexpr uint16_t kDataLocked = 0x4;
    // May not target others.
    static constexpr uint16_t kNoTarget = 0x8;

    explicit CZrMemberFlags(uint16_t word = 0) : m_word(word) {}

    uint16_t Word() const { return m_word; }
    bool Has(uint16_t flag) const { return (m_word & flag) != 0; }

    void Write(TvlNdr& writer) const;
    bool Read(TvlNdr& reader);

    bool operator==(const CZrMemberFlags& other) const { return m_word == other.m_word; }

private:
    uint16_t m_word;
};
