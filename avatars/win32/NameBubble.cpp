#include "NameBubble.h"

#include <vector>

#include "BubbleLayout.h"
#include "CPaintDC.h"
#include "MessageMap.h"

namespace {

const char* g_className = nullptr;
HFONT g_font = nullptr;
int32_t g_lineHeight = 0;

HFONT MakeBubbleFont()
{
    HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    const int height = ::MulDiv(8, pixelsPerInch, 72);
    return ::CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, ANSI_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_LH_ANGLES | CLIP_STROKE_PRECIS, DEFAULT_QUALITY,
                         FF_SWISS, nullptr);
}

int32_t MeasureLineHeight(HFONT font)
{
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ previous = ::SelectObject(screen, font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen, &metrics);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    return metrics.tmHeight + metrics.tmExternalLeading + 6 * ::GetSystemMetrics(SM_CYBORDER);
}

}  // namespace

BEGIN_MESSAGE_MAP(CNameBubble, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

bool CNameBubble::MakeSharedResources(COLORREF background)
{
    if (!g_className) {
        HBRUSH brush = ::CreateSolidBrush(background);
        if (!brush) {
            return false;
        }
        g_className = RegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS | CS_BYTEALIGNCLIENT,
                                       nullptr, brush);
        if (!g_className) {
            ::DeleteObject(brush);
            return false;
        }
    }
    if (!g_font) {
        g_font = MakeBubbleFont();
        if (!g_font) {
            return false;
        }
        g_lineHeight = MeasureLineHeight(g_font);
    }
    return true;
}

int32_t CNameBubble::LineHeight()
{
    return g_lineHeight;
}

bool CNameBubble::Create(CWnd* owner, COLORREF background)
{
    if (!MakeSharedResources(background)) {
        return false;
    }
    return CreateEx(WS_EX_TOOLWINDOW, g_className, "", WS_POPUP | WS_BORDER, RECT{0, 0, 0, 0}, owner,
                    0);
}

void CNameBubble::ShowText(int32_t x, int32_t y, const std::string& text, int32_t delay)
{
    if (!m_hWnd) {
        return;
    }
    ShowWindow(SW_HIDE);
    UpdateWindow();
    SetWindowText(text);
    if (text.empty()) {
        return;
    }
    // A short pause so that a bubble does not flicker up while the pointer
    // sweeps across several avatars.
    ::Sleep(100);
    RECT window{};
    GetWindowRect(&window);
    const int32_t left = BubbleLeft(x, window.right - window.left);
    SetWindowPos(HWND_TOP, left, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    m_delay = delay;
    if (m_shown) {
        ShowWindow(SW_SHOWNA);
    } else {
        StartTimer();
    }
}

void CNameBubble::StartTimer()
{
    if (m_timerState == 1) {
        return;
    }
    if (SetTimer(kDelayTimer, kDelayMs)) {
        m_timerState = 1;
        return;
    }
    ShowWindow(SW_SHOWNA);
    m_shown = true;
}

void CNameBubble::StopTimer()
{
    if (m_timerState == 1) {
        KillTimer(kDelayTimer);
        m_timerState = -1;
    }
}

void CNameBubble::Hide()
{
    if (m_hWnd) {
        ShowWindow(SW_HIDE);
    }
    StopTimer();
}

void CNameBubble::Dismiss()
{
    Hide();
    m_shown = false;
}

void CNameBubble::OnTimer(UINT_PTR id)
{
    if (id != kDelayTimer) {
        Default();
        return;
    }
    KillTimer(kDelayTimer);
    if (m_timerState == 1) {
        m_timerState = -1;
        ShowWindow(SW_SHOWNA);
        m_shown = true;
    }
}

LRESULT CNameBubble::OnSetText(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    FitToText();
    return result;
}

void CNameBubble::FitToText()
{
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ previous = ::SelectObject(dc, g_font);
    std::vector<int32_t> widths;
    for (const std::string& line : SplitBubbleLines(GetWindowText())) {
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &extent);
        widths.push_back(extent.cx);
    }
    ::SelectObject(dc, previous);
    ::ReleaseDC(m_hWnd, dc);
    const BubbleSize size = MeasureBubble(widths, g_lineHeight, ::GetSystemMetrics(SM_CXBORDER));
    SetWindowPos(nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CNameBubble::OnPaint()
{
    CPaintDC dc(this);
    RECT client{};
    GetClientRect(&client);
    const int inset = 2 * ::GetSystemMetrics(SM_CXBORDER);
    ::InflateRect(&client, -inset, -inset);
    HGDIOBJ previous = ::SelectObject(dc, g_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.DrawText(GetWindowText(), &client, DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, previous);
}
