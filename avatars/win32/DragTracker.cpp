#include "DragTracker.h"

#include "DragOutline.h"
#include "ModuleState.h"
#include "ZrWnd.h"
#include "ZrWndHost.h"

CDragTracker::CDragTracker(CZrWnd* owner) : m_owner(owner)
{
    LoadCursors();
}

CDragTracker::~CDragTracker()
{
    Cancel();
}

void CDragTracker::LoadCursors()
{
    m_noCursor = ::LoadCursorA(nullptr, IDC_NO);
    HINSTANCE resources = AfxGetResourceHandle();
    for (size_t kind = 0; kind < kDropCursors.size(); ++kind) {
        m_kindCursors[kind] = ::LoadCursorA(resources, MAKEINTRESOURCEA(kDropCursors[kind]));
    }
}

bool CDragTracker::OwnerLives() const
{
    return m_owner->GetSafeHwnd() && ::IsWindow(m_owner->GetSafeHwnd());
}

POINT CDragTracker::ToScreen(int32_t x, int32_t y) const
{
    POINT point{x, y};
    m_owner->ClientToScreen(&point);
    return point;
}

RECT CDragTracker::StartRect() const
{
    RECT rect{};
    ZrWndHost* host = ZrWndHost::Get();
    CWnd* parent = m_owner->GetParent();
    if (m_owner->IsMyselfWnd() && host && host->IsMyselfInPlainGroup() && parent) {
        parent->GetWindowRect(&rect);
    } else {
        m_owner->GetWindowRect(&rect);
    }
    return rect;
}

void CDragTracker::Start(int32_t x, int32_t y)
{
    if (!OwnerLives()) {
        return;
    }
    m_gesture.Press(x, y);
    m_owner->SetCapture();
    m_captured = true;
    m_startRect = StartRect();
    m_lastCursor = nullptr;
    ZrWndHost* host = ZrWndHost::Get();
    if (host && host->GetPageWnd()) {
        host->GetPageWnd()->UpdateWindow();
    }
    m_locked = ::LockWindowUpdate(::GetDesktopWindow()) != FALSE;
    if (host) {
        host->SetPriorityClass(HIGH_PRIORITY_CLASS);
    }
}

void CDragTracker::Move(int32_t x, int32_t y)
{
    if (!m_gesture.IsActive() || !OwnerLives() || !m_gesture.Move(x, y)) {
        return;
    }
    EraseOutline();
    const POINT screen = ToScreen(x, y);
    int32_t kind = 0;
    if (!m_owner->OnDragOver(screen.x, screen.y, &kind)) {
        ::SetCursor(m_noCursor);
        m_lastCursor = nullptr;
        return;
    }
    SetCursorOfKind(kind);
    const LONG width = m_startRect.right - m_startRect.left;
    const LONG height = m_startRect.bottom - m_startRect.top;
    m_outline = std::make_unique<CDragOutline>(RECT{screen.x, screen.y, screen.x + width, screen.y + height});
    m_outline->Draw();
}

void CDragTracker::SetCursorOfKind(int32_t kind)
{
    HCURSOR cursor = nullptr;
    if (kind >= 0 && kind < static_cast<int32_t>(m_kindCursors.size())) {
        cursor = m_kindCursors[static_cast<size_t>(kind)];
    }
    if (!cursor) {
        cursor = ::LoadCursorA(nullptr, IDC_ARROW);
    }
    if (cursor != m_lastCursor) {
        ::SetCursor(cursor);
        m_lastCursor = cursor;
    }
}

void CDragTracker::End(int32_t x, int32_t y)
{
    // A release that never left the threshold is a click, not a drop.
    const bool moved = m_gesture.IsActive() && !m_gesture.IsInsideThreshold();
    const int32_t pressX = m_gesture.PressX();
    const int32_t pressY = m_gesture.PressY();
    Cancel();
    if (!moved || !OwnerLives()) {
        return;
    }
    const POINT screen = ToScreen(x, y);
    int32_t kind = 0;
    if (m_owner->OnDragOver(screen.x, screen.y, &kind) && m_owner->OnDrop(screen.x, screen.y)) {
        ::SetCursorPos(screen.x + pressX, screen.y + pressY);
    }
}

void CDragTracker::Cancel()
{
    const bool wasActive = m_gesture.Stop();
    if (m_captured) {
        m_captured = false;
        if (OwnerLives() && ::GetCapture() == m_owner->GetSafeHwnd()) {
            ::ReleaseCapture();
        }
    }
    EraseOutline();
    if (!wasActive) {
        return;
    }
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    if (ZrWndHost* host = ZrWndHost::Get()) {
        host->SetPriorityClass(NORMAL_PRIORITY_CLASS);
    }
    if (m_locked) {
        ::LockWindowUpdate(nullptr);
        m_locked = false;
    }
}

void CDragTracker::EraseOutline()
{
    if (m_outline) {
        m_outline->Draw();
        m_outline.reset();
    }
}

bool CDragTracker::GetOutline(RECT* rect) const
{
    if (!m_outline) {
        return false;
    }
    *rect = m_outline->Rect();
    return true;
}
