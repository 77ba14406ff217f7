// CDragTracker: drags an avatar window. The tracker captures the mouse on
// its owner, shows an outline of the window under the pointer with a cursor
// for the kind of drop the owner would make there, and hands the drop to the
// owner. While a drag runs the process has high priority and the desktop's
// window updates are locked; every end of a drag passes through Cancel,
// which undoes both.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "DragGesture.h"

class CDragOutline;
class CZrWnd;

class CDragTracker {
public:
    // Resource cursors of the drop kinds 0 to 3.
    static constexpr std::array<UINT, 4> kDropCursors{262, 261, 260, 442};

    explicit CDragTracker(CZrWnd* owner);
    CDragTracker(const CDragTracker&) = delete;
    CDragTracker& operator=(const CDragTracker&) = delete;
    ~CDragTracker();

    // Points are in client coordinates of the owner.
    void Start(int32_t x, int32_t y);
    void Move(int32_t x, int32_t y);
    void End(int32_t x, int32_t y);
    void Cancel();

    bool IsActive() const { return m_gesture.IsActive(); }
    bool HasCapture() const { return m_captured; }
    // The outline shown now, in screen coordinates; false when none.
    bool GetOutline(RECT* rect) const;

private:
    bool OwnerLives() const;
    POINT ToScreen(int32_t x, int32_t y) const;
    RECT StartRect() const;
    void EraseOutline();
    void SetCursorOfKind(int32_t kind);
    void LoadCursors();

    CZrWnd* m_owner;
    CDragGesture m_gesture;
    RECT m_startRect{};
    bool m_captured = false;
    bool m_locked = false;
    std::unique_ptr<CDragOutline> m_outline;
    HCURSOR m_noCursor = nullptr;
    std::array<HCURSOR, 4> m_kindCursors{};
    HCURSOR m_lastCursor = nullptr;
};
