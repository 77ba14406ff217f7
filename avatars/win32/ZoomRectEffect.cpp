#include "ZoomRectEffect.h"

CZoomRectEffect* CZoomRectEffect::s_running = nullptr;
bool CZoomRectEffect::s_explicit = false;
int CZoomRectEffect::s_live = 0;

namespace {

ZoomRect ToZoom(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
RECT ToRect(const ZoomRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

CZoomRectEffect::CZoomRectEffect(HWND mainWindow, std::function<void()> finished)
    : m_main(mainWindow),
      m_finished(std::move(finished)),
      m_speed(::GetSystemMetrics(SM_CYSCREEN) <= kSmallScreenHeight ? kSmallScreenSpeed : kDefaultSpeed)
{
    ++s_live;
}

CZoomRectEffect::~CZoomRectEffect()
{
    Reset();
    if (m_clip) {
        ::DeleteObject(m_clip);
    }
    --s_live;
}

void CZoomRectEffect::Prepare(const RECT& start, const RECT& end, int sizeSign, int xSign, int ySign)
{
    m_steps.Setup(ToZoom(start), ToZoom(end), sizeSign, xSign, ySign, m_speed);
    m_prepared = true;
}

void CZoomRectEffect::Setup(const RECT& start, const RECT& end, int sizeSign, int speed, bool explicitSetup)
{
    if (speed != 0) {
        m_speed = speed;
    }
    s_explicit = explicitSetup;
    Prepare(start, end, sizeSign, CZoomSteps::SignTowards(start.left, end.left),
            CZoomSteps::SignTowards(start.top, end.top));
}

int CZoomRectEffect::PrepareBetween(const RECT& avatar, const RECT& indicator, bool towardsAvatar, HWND page,
                                    HWND peopleWindow)
{
    if (s_explicit) {
        return kExplicitPending;
    }
    m_peopleWindow = peopleWindow;
    if (towardsAvatar) {
        Prepare(indicator, avatar, 1, 1, 1);
    } else {
        Prepare(avatar, indicator, -1, -1, -1);
    }
    if (page) {
        RECT under = avatar;
        ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&under), 2);
        ::InvalidateRect(page, &under, FALSE);
        ::UpdateWindow(page);
    }
    return kPrepared;
}

bool CZoomRectEffect::Start(bool notify)
{
    if (!m_prepared || m_running || s_running) {
        return false;
    }
    m_timer = ::SetTimer(nullptr, kTimerId, 1, OnTimer);
    if (!m_timer) {
        return false;
    }
    if (m_main) {
        ::UpdateWindow(m_main);
    }
    if (m_peopleWindow) {
        ::UpdateWindow(m_peopleWindow);
    }
    m_priority = ::GetPriorityClass(::GetCurrentProcess());
    ::SetPriorityClass(::GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    if (m_main) {
        ::SetCapture(m_main);
    }
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    ::LockWindowUpdate(::GetDesktopWindow());
    if (m_clip) {
        ::DeleteObject(m_clip);
    }
    m_clip = BuildClipRegion();
    m_running = true;
    m_notify = notify;
    m_step = 0;
    s_running = this;
    return true;
}

void CZoomRectEffect::Stop()
{
    if (!m_running) {
        return;
    }
    s_running = nullptr;
    ::KillTimer(nullptr, m_timer);
    m_timer = 0;
    s_explicit = false;
    ::LockWindowUpdate(nullptr);
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    if (m_main && ::GetCapture() == m_main) {
        ::ReleaseCapture();
    }
    if (m_clip) {
        ::DeleteObject(m_clip);
        m_clip = nullptr;
    }
    ::SetPriorityClass(::GetCurrentProcess(), m_priority ? m_priority : NORMAL_PRIORITY_CLASS);
    m_running = false;
}

void CZoomRectEffect::Reset()
{
    if (m_running && m_shown) {
        // An outline left on the screen is taken off before stopping.
        HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        if (display) {
            if (m_clip) {
                ::SelectClipRgn(display, m_clip);
            }
            DrawOutline(display, *m_shown);
            ::DeleteDC(display);
        }
        m_shown.reset();
    }
    Stop();
    m_prepared = false;
}

void CALLBACK CZoomRectEffect::OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    if (s_running && s_running->m_timer == id) {
        s_running->Tick();
    }
}

void CZoomRectEffect::Tick()
{
    HDC display = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    if (display && m_clip) {
        ::SelectClipRgn(display, m_clip);
    }
    if (m_shown) {
        if (display) {
            DrawOutline(display, *m_shown);
        }
        m_shown.reset();
    }
    const std::optional<ZoomRect> next = m_steps.StepRect(m_step++);
    if (next) {
        m_shown = ToRect(*next);
        if (display) {
            DrawOutline(display, *m_shown);
        }
    }
    if (display) {
        ::DeleteDC(display);
    }
    if (next) {
        return;
    }
    Stop();
    if (m_notify) {
        if (m_finished) {
            m_finished();
        }
        return;
    }
    delete this;
}

void CZoomRectEffect::DrawOutline(HDC display, const RECT& rect) const
{
    RECT ring = rect;
    for (int i = 0; i < 3; ++i) {
        ::DrawFocusRect(display, &ring);
        ::InflateRect(&ring, -1, -1);
    }
}

// The part of the main window that no window above it covers.
HRGN CZoomRectEffect::BuildClipRegion() const
{
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    HRGN clip = ::CreateRectRgnIndirect(&desktop);
    HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD);
    for (HWND window = top ? ::GetWindow(top, GW_HWNDLAST) : nullptr; window;
         window = ::GetWindow(window, GW_HWNDPREV)) {
        if (!::IsWindowVisible(window)) {
            continue;
        }
        RECT rect{};
        ::GetWindowRect(window, &rect);
        HRGN part = ::CreateRectRgnIndirect(&rect);
        ::CombineRgn(clip, clip, part, window == m_main ? RGN_XOR : RGN_OR);
        ::DeleteObject(part);
    }
    HRGN whole = ::CreateRectRgnIndirect(&desktop);
    ::CombineRgn(clip, clip, whole, RGN_XOR);
    ::DeleteObject(whole);
    return clip;
}
