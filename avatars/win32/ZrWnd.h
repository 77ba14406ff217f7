// CZrWnd: the base of every small child window laid over the page of a place
// (avatars of members, groups, tours and games, promotions, empty seats,
// captioned pictures). It paints through overridable hooks, shows the name
// bubble while the mouse rests on it, drags through a drag tracker, shows a
// context menu from a menu resource, flashes on a timer and deletes itself
// safely even while its own context menu is open. Subclasses override hooks.
//
// CZrWnd objects live on the heap: SafeDelete deletes them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "CWnd.h"
#include "FlashSteps.h"

class CDC;
class CDragTracker;
class CPicture;

class CZrWnd : public CWnd {
    DECLARE_DYNAMIC(CZrWnd)

public:
    static constexpr UINT_PTR kFlashTimer = 1;
    static constexpr COLORREF kDefaultFrameColour = 0xFF0000;
    // Resource library colour of lit flash steps.
    static constexpr uint32_t kFlashColourIndex = 2;

    CZrWnd();
    ~CZrWnd() override;

    // A new child window lies on top of its siblings: an avatar that
    // arrives later shows over those already on the page.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  const RECT& rect, CWnd* parent, UINT_PTR idOrMenu, void* param = nullptr) override;

    virtual void Reserved1();
    virtual CPicture* GetPicture();
    virtual void DrawPicture(CDC* dc, const RECT& rect);
    virtual void DrawFlash(CDC* dc, const RECT& rect, bool on, COLORREF colour);
    virtual void DrawOverlay(CDC* dc, const RECT& rect);
    virtual void DrawDecoration(CDC* dc, const RECT& rect);
    virtual void SetFrameColor(COLORREF colour);
    virtual void SetFrameWidth(uint16_t width);
    virtual void Reserved2();
    virtual void ApplyCursor();
    // The window was dropped with the pointer at screen point (x, y); true
    // when the drop is accepted.
    virtual bool OnDrop(int32_t x, int32_t y);
    // True when a drop at screen point (x, y) would be accepted; kind gets
    // the cursor kind 0-3.
    virtual bool OnDragOver(int32_t x, int32_t y, int32_t* kind);
    virtual std::string GetBubbleText();
    // Fills the popup menu before it shows at screen point (x, y).
    virtual void BuildContextMenu(HMENU popup, int32_t x, int32_t y);
    // Deletes the window now, or as soon as its open context menu closes.
    virtual void SafeDelete();
    // While a context menu is open, moves the window under the main window
    // so that it outlives the page window it lies on.
    virtual void ParkUnderMainFrame();
    virtual void Flash(int32_t count, UINT elapseMs);
    virtual bool IsMemberWnd() const;
    virtual bool IsPresenceWnd() const;
    virtual bool IsMyselfWnd() const;
    virtual bool IsGroupWnd() const;
    virtual bool IsTourWnd() const;

    void SetDragEnabled(bool enabled) { m_dragEnabled = enabled; }
    void SetMenuId(uint16_t id) { m_menuId = id; }
    void SetCursor(HCURSOR cursor) { m_cursor = cursor; }
    void SetHighlight(bool highlight) { m_highlight = highlight; }
    // Cancels a drag, releases the hover capture and hides the name bubble
    // shown for this window.
    void EndHover();
    // Shows the context menu at client point (x, y) with TrackPopupMenu
    // flags. The window may be deleted when this returns.
    void ShowContextMenu(int32_t x, int32_t y, UINT flags);

    uint16_t GetFrameWidth() const { return m_frameWidth; }
    COLORREF GetFrameColor() const { return m_frameColour; }
    bool IsHighlighted() const { return m_highlight; }
    bool IsBubbleShown() const { return m_bubbleShown; }
    bool HasHoverCapture() const { return m_hoverCapture; }
    // Screen point at which the bubble was last shown: left, bottom edge.
    POINT GetBubblePosition() const { return m_bubblePosition; }
    bool IsDeletePending() const { return m_deletePending; }
    bool IsFlashing() const { return m_flashTimer != 0; }
    HMENU GetOpenPopup() const { return m_openPopup; }
    CDragTracker* GetDragTracker() const { return m_tracker.get(); }

protected:
    void OnLButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnKillFocus(CWnd* newFocus);
    void OnRButtonDown(UINT flags, POINT point);
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnCancelMode();
    LRESULT OnCaptureChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void ShowBubble();
    void ReleaseHoverCapture();
    void DismissOwnBubble();
    void FlashStep();

    uint16_t m_frameWidth = 0;
    COLORREF m_frameColour = kDefaultFrameColour;
    bool m_highlight = false;
    std::unique_ptr<CDragTracker> m_tracker;
    HCURSOR m_cursor = nullptr;
    bool m_dragEnabled = false;
    uint16_t m_menuId = 0;
    HMENU m_openPopup = nullptr;
    bool m_bubbleShown = false;
    bool m_hoverCapture = false;
    POINT m_bubblePosition{};
    bool m_deletePending = false;
    UINT_PTR m_flashTimer = 0;
    CFlashSteps m_flash;
};
