// CSlotAttr: one seat of a game table: a rectangle of the game window where
// a player's avatar sits, and the seat's name. Its text is four decimal
// numbers and a name separated by commas and ended by a semicolon
// ("10,20,30,40,Seat 1;"). Rectangles are given for big avatars; without
// them every coordinate is scaled by 0.75.
#pragma once

#include <cstdint>
#include <string>

class CSlotAttr {
public:
    CSlotAttr(const std::string& text, bool bigAvatars);

    int32_t GetX() const { return Scaled(m_x); }
    int32_t GetY() const { return Scaled(m_y); }
    int32_t GetWidth() const { return Scaled(m_width); }
    int32_t GetHeight() const { return Scaled(m_height); }
    const std::string& GetName() const { return m_name; }
    // True when the point lies strictly inside the slot.
    bool HitTest(int32_t px, int32_t py) const;

private:
    int32_t Scaled(int32_t value) const;

    int32_t m_x = 0;
    int32_t m_y = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    std::string m_name;
    bool m_big;
};
