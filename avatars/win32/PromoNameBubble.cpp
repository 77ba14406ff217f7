#include "PromoNameBubble.h"

#include "CPaintDC.h"
#include "MessageMap.h"

namespace {

constexpr int kMargin = 3;

}  // namespace

BEGIN_MESSAGE_MAP(CPromoNameBubble, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_ACTIVATEAPP, OnActivateApp)
END_MESSAGE_MAP()

CPromoNameBubble::~CPromoNameBubble()
{
    if (m_hWnd) {
        DestroyWindow();
    }
    if (m_font) {
        ::DeleteObject(m_font);
    }
    if (m_background) {
        ::DeleteObject(m_background);
    }
}

bool CPromoNameBubble::Create(CWnd* owner, COLORREF background)
{
    m_background = ::CreateSolidBrush(background);
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_SAVEBITS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return ::RegisterClassA(&wc) != 0;
    }();
    if (!registered) {
        return false;
    }
    HDC screen = ::GetDC(nullptr);
    const int height = -::MulDiv(kPointSize, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    m_font = ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, nullptr);
    return CreateEx(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP | WS_BORDER, RECT{0, 0, 10, 10}, owner, 0);
}

void CPromoNameBubble::ShowText(int x, int y, const std::string& text)
{
    SetWindowText(text);
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, m_font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    const int border = 2 * ::GetSystemMetrics(SM_CXBORDER);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, x, y, size.cx + 2 * kMargin + border, size.cy + 2 * kMargin + border,
                   SWP_NOACTIVATE);
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    Invalidate();
}

void CPromoNameBubble::OnPaint()
{
    CPaintDC dc(this);
    RECT client{};
    GetClientRect(&client);
    HDC hdc = dc.GetSafeHdc();
    ::FillRect(hdc, &client, m_background);
    HGDIOBJ old = ::SelectObject(hdc, m_font);
    ::SetBkMode(hdc, TRANSPARENT);
    const std::string text = GetWindowText();
    ::InflateRect(&client, -kMargin, -kMargin);
    ::DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &client, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE);
    ::SelectObject(hdc, old);
}

LRESULT CPromoNameBubble::OnActivateApp(WPARAM, LPARAM)
{
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
    ShowWindow(SW_HIDE);
    return 0;
}
