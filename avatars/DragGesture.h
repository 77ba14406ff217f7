// The pointer side of dragging an avatar window: the press point, whether a
// drag is active and whether the pointer has left the small square around
// the press point that tells a drag from a click.
#pragma once
#include <cstdint>

class CDragGesture {
public:
    // A pointer that stays less than this many pixels from the press point
    // on both axes has not started to drag.
    static constexpr int32_t kThreshold = 3;

    void Press(int32_t x, int32_t y);
    // True when the point is to be followed: the drag is active and the
    // pointer has left the threshold, now or before.
    bool Move(int32_t x, int32_t y);
    // Ends the drag; true when it was active.
    bool Stop();

    bool IsActive() const { return m_active; }
    bool IsInsideThreshold() const { return m_insideThreshold; }
    int32_t PressX() const { return m_pressX; }
    int32_t PressY() const { return m_pressY; }

private:
    int32_t m_pressX = 0;
    int32_t m_pressY = 0;
    bool m_active = false;
    bool m_insideThreshold = false;
};
