#include "ZrWnd.h"

#include "AppPalette.h"
#include "CClientDC.h"
#include "CMenu.h"
#include "CPaintDC.h"
#include "DragTracker.h"
#include "MessageMap.h"
#include "NameBubble.h"
#include "ZrWndHost.h"

IMPLEMENT_DYNAMIC(CZrWnd, CWnd)

BEGIN_MESSAGE_MAP(CZrWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KILLFOCUS()
    ON_WM_RBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_CAPTURECHANGED, OnCaptureChanged)
END_MESSAGE_MAP()

namespace {

CNameBubble* HostBubble()
{
    ZrWndHost* host = ZrWndHost::Get();
    return host ? host->GetNameBubble() : nullptr;
}

bool HostAllowsDragAndMenu()
{
    ZrWndHost* host = ZrWndHost::Get();
    return host && host->AllowsDragAndMenu();
}

}  // namespace

CZrWnd::CZrWnd() : m_tracker(std::make_unique<CDragTracker>(this))
{
    if (ZrWndHost* host = ZrWndHost::Get()) {
        host->RegisterIdleWindow(this);
    }
}

CZrWnd::~CZrWnd()
{
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        EndHover();
    }
    m_tracker.reset();
    if (ZrWndHost* host = ZrWndHost::Get()) {
        host->UnregisterIdleWindow(this);
    }
}

bool CZrWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                      const RECT& rect, CWnd* parent, UINT_PTR idOrMenu, void* param)
{
    if (!CWnd::CreateEx(exStyle, className, title, style, rect, parent, idOrMenu, param)) {
        return false;
    }
    if (style & WS_CHILD) {
        SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return true;
}

void CZrWnd::Reserved1() {}
CPicture* CZrWnd::GetPicture() { return nullptr; }
void CZrWnd::DrawPicture(CDC*, const RECT&) {}
void CZrWnd::DrawFlash(CDC*, const RECT&, bool, COLORREF) {}
void CZrWnd::DrawOverlay(CDC*, const RECT&) {}
void CZrWnd::DrawDecoration(CDC*, const RECT&) {}
void CZrWnd::SetFrameColor(COLORREF colour) { m_frameColour = colour; }
void CZrWnd::SetFrameWidth(uint16_t width) { m_frameWidth = width; }
void CZrWnd::Reserved2() {}
void CZrWnd::ApplyCursor() { ::SetCursor(m_cursor); }
bool CZrWnd::OnDrop(int32_t, int32_t) { return true; }

bool CZrWnd::OnDragOver(int32_t, int32_t, int32_t* kind)
{
    *kind = 0;
    return true;
}

std::string CZrWnd::GetBubbleText() { return std::string(); }
void CZrWnd::BuildContextMenu(HMENU, int32_t, int32_t) {}
bool CZrWnd::IsMemberWnd() const { return false; }
bool CZrWnd::IsPresenceWnd() const { return false; }
bool CZrWnd::IsMyselfWnd() const { return false; }
bool CZrWnd::IsGroupWnd() const { return false; }
bool CZrWnd::IsTourWnd() const { return false; }

void CZrWnd::SafeDelete()
{
    if (m_hWnd && !::IsWindow(m_hWnd)) {
        Detach();
    }
    if (!m_openPopup) {
        delete this;
        return;
    }
    // The menu loop still runs on this object's stack: end it and let
    // ShowContextMenu delete the window once tracking has returned.
    m_deletePending = true;
    ParkUnderMainFrame();
    ::EndMenu();
}

void CZrWnd::ParkUnderMainFrame()
{
    ZrWndHost* host = ZrWndHost::Get();
    CWnd* main = host ? host->GetMainWnd() : nullptr;
    if (m_openPopup && main && main->GetSafeHwnd() && m_hWnd) {
        ::SetParent(m_hWnd, main->GetSafeHwnd());
    }
}

void CZrWnd::Flash(int32_t count, UINT elapseMs)
{
    if (m_flashTimer) {
        KillTimer(m_flashTimer);
    }
    m_flash.Start(count);
    m_flashTimer = SetTimer(kFlashTimer, elapseMs);
}

void CZrWnd::EndHover()
{
    m_tracker->Cancel();
    ReleaseHoverCapture();
    DismissOwnBubble();
}

void CZrWnd::DismissOwnBubble()
{
    if (m_bubbleShown) {
        m_bubbleShown = false;
        if (CNameBubble* bubble = HostBubble()) {
            bubble->Dismiss();
        }
    }
}

void CZrWnd::ReleaseHoverCapture()
{
    if (!m_hoverCapture) {
        return;
    }
    m_hoverCapture = false;
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
}

void CZrWnd::ShowBubble()
{
    RECT window{};
    GetWindowRect(&window);
    m_bubblePosition = POINT{window.left, window.bottom};
    if (CNameBubble* bubble = HostBubble()) {
        bubble->ShowText(window.left, window.bottom, GetBubbleText(), -1);
    }
    m_bubbleShown = true;
    CWnd::SetCapture();
    m_hoverCapture = true;
}

void CZrWnd::ShowContextMenu(int32_t x, int32_t y, UINT flags)
{
    if (m_menuId == 0) {
        return;
    }
    CMenu menu;
    if (!menu.LoadMenu(m_menuId)) {
        return;
    }
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup) {
        return;
    }
    m_openPopup = popup->m_hMenu;
    RECT window{};
    GetWindowRect(&window);
    const int32_t screenX = x + window.left;
    const int32_t screenY = y + window.top;
    BuildContextMenu(m_openPopup, screenX, screenY);
    if (!m_deletePending) {
        popup->TrackPopupMenu(flags, screenX, screenY, this);
    }
    // Whatever tracking returned, the menu is closed now: a delete asked
    // for meanwhile happens here, once, off the menu loop.
    m_openPopup = nullptr;
    menu.DestroyMenu();
    if (m_deletePending) {
        delete this;
    }
}

void CZrWnd::OnLButtonDown(UINT, POINT point)
{
    if (m_deletePending) {
        return;
    }
    CWnd::SetFocus();
    EndHover();
    if (HostAllowsDragAndMenu()) {
        if (m_dragEnabled) {
            m_tracker->Start(point.x, point.y);
        }
        Default();
    }
}

void CZrWnd::OnLButtonUp(UINT, POINT point)
{
    if (m_deletePending || m_bubbleShown) {
        return;
    }
    if (m_tracker->IsActive()) {
        m_tracker->End(point.x, point.y);
    }
    Default();
}

void CZrWnd::OnMouseMove(UINT, POINT point)
{
    if (m_deletePending) {
        return;
    }
    if (m_tracker->IsActive()) {
        m_tracker->Move(point.x, point.y);
    } else if (m_hoverCapture) {
        POINT screen = point;
        ClientToScreen(&screen);
        if (::WindowFromPoint(screen) != m_hWnd) {
            EndHover();
        }
    } else if (!m_bubbleShown) {
        ShowBubble();
    }
}

void CZrWnd::OnRButtonDown(UINT, POINT point)
{
    if (m_deletePending || m_tracker->IsActive() || !HostAllowsDragAndMenu()) {
        return;
    }
    EndHover();
    ShowContextMenu(point.x, point.y, TPM_RIGHTBUTTON);
}

void CZrWnd::OnKillFocus(CWnd*)
{
    Default();
    EndHover();
}

void CZrWnd::OnCancelMode()
{
    Default();
    EndHover();
}

LRESULT CZrWnd::OnCaptureChanged(WPARAM, LPARAM lParam)
{
    // Another window took the mouse (a message box, a menu, a switch to
    // another program): a drag or hover in progress ends here.
    if (reinterpret_cast<HWND>(lParam) != m_hWnd) {
        m_tracker->Cancel();
        m_hoverCapture = false;
        DismissOwnBubble();
    }
    return 0;
}

void CZrWnd::OnPaint()
{
    CPaintDC dc(this);
    CAppPalette::Get().Select(&dc);
    RECT client{};
    GetClientRect(&client);
    DrawPicture(&dc, client);
    DrawOverlay(&dc, client);
    DrawDecoration(&dc, client);
    CAppPalette::Get().Restore(&dc);
}

void CZrWnd::OnTimer(UINT_PTR id)
{
    if (id != kFlashTimer) {
        Default();
        return;
    }
    FlashStep();
}

void CZrWnd::FlashStep()
{
    const CFlashSteps::Step step = m_flash.Tick();
    if (step == CFlashSteps::Step::kDone) {
        KillTimer(kFlashTimer);
        m_flashTimer = 0;
        Invalidate();
        UpdateWindow();
        return;
    }
    ZrWndHost* host = ZrWndHost::Get();
    const COLORREF colour = host ? host->GetColor(kFlashColourIndex) : 0;
    CClientDC dc(this);
    RECT client{};
    GetClientRect(&client);
    DrawFlash(&dc, client, step == CFlashSteps::Step::kLit, colour);
}
