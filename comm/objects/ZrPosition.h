// CZrPosition: where an object stands in its parent.
#pragma once

#include <cstdint>
#include <string>

#include "TvlObject.h"

class TvlNdr;

// Kind 0: no position; 1: a seat number; 2: a pair (x, y) in ten-thousandths
// of the page area; 3: a name. Coded as the kind byte, then the seat as u16,
// both values as u16 or the name as text.
class CZrPosition : public CTvlObject {
public:
    enum Kind : int32_t { kNone = 0, kSeat = 1, kXY = 2, kName = 3 };
    static constexpr uint16_t kNoValue = 0xFFFF;

    CZrPosition();
    static CZrPosition Seat(uint16_t seat);
    static CZrPosition XY(uint16_t x, uint16_t y);
    static CZrPosition Named(const std::string& name);

    void Reset();
    void Copy(const CZrPosition& other) { *this = other; }

    void Write(TvlNdr& writer) const;
    // Resets to kind 0, then reads; false for a kind above 3 or a short field.
    bool Read(TvlNdr& reader);

    int32_t GetKind() const { return m_kind; }
    bool IsNone() const { return m_kind == kNone; }
    bool IsSingle() const { return m_kind == kSeat; }
    bool IsXY() const { return m_kind == kXY; }
    // The seat number of kind 1, else 0.
    uint16_t GetId() const { return m_kind == kSeat ? m_first : 0; }
    // The pair of kind 2, else 0xFFFF.
    uint16_t GetFirst() const { return m_kind == kXY ? m_first : kNoValue; }
    uint16_t GetSecond() const { return m_kind == kXY ? m_second : kNoValue; }
    const std::string& GetName() const { return m_name; }

    bool operator==(const CZrPosition& other) const;
    bool operator!=(const CZrPosition& other) const { return !(*this == other); }

private:
    int32_t m_kind;
    uint16_t m_first;
    uint16_t m_second;
    std::string m_name;
};
