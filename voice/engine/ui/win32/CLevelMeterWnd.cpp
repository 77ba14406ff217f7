#include "CLevelMeterWnd.h"

#include "LevelMeterScale.h"

#include <utility>

namespace {

HINSTANCE g_module = nullptr;

} // namespace

void CLevelMeterWnd::Register(HINSTANCE module)
{
    g_module = module;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
}

void CLevelMeterWnd::Unregister(HINSTANCE module)
{
    UnregisterClassA(kClassName, module);
}

CLevelMeterWnd::~CLevelMeterWnd()
{
    if (m_window) {
        SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

bool CLevelMeterWnd::Create(HWND parent, int id, bool horizontal)
{
    m_horizontal = horizontal;
    m_window = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_module, nullptr);
    if (m_window)
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return m_window != nullptr;
}

LRESULT CALLBACK CLevelMeterWnd::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* meter = reinterpret_cast<CLevelMeterWnd*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && meter)
        meter->m_window = nullptr; // gone with its parent
    if (message == WM_PAINT && meter) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        meter->Paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int32_t CLevelMeterWnd::LitCount() const
{
    return LevelMeterScale::LitCount(m_level, m_lamps);
}

void CLevelMeterWnd::SetLevel(int32_t level)
{
    if (level == m_level)
        return;
    m_level = level;
    if (m_disabled || m_suppressed || !m_window)
        return;
    InvalidateRect(m_window, nullptr, FALSE);
    UpdateWindow(m_window);
}

void CLevelMeterWnd::SetDisabled(bool disabled)
{
    m_disabled = disabled;
    if (m_window)
        InvalidateRect(m_window, nullptr, FALSE);
}

void CLevelMeterWnd::Paint(HDC dc)
{
    RECT client;
    GetClientRect(m_window, &client);
    const int32_t length = m_horizontal ? client.right : client.bottom;
    const int32_t thickness = m_horizontal ? client.bottom : client.right;
    const int32_t diameter = LevelMeterScale::Diameter(thickness);
    m_lamps = LevelMeterScale::LampCount(length, thickness);
    const int32_t lit = LitCount();
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    for (int32_t i = 0; i < m_lamps; ++i) {
        const int32_t along = LevelMeterScale::kMargin + i * (diameter + LevelMeterScale::kGap);
        const COLORREF colour =
            m_disabled ? RGB(0, 0, 0) : LevelMeterScale::Rgb(LevelMeterScale::LampAt(i, m_lamps, lit));
        HBRUSH brush = CreateSolidBrush(colour);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        const int32_t left = m_horizontal ? along : LevelMeterScale::kMargin;
        const int32_t top = m_horizontal ? LevelMeterScale::kMargin : length - along - diameter;
        Ellipse(dc, left, top, left + diameter + 1, top + diameter + 1);
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    }
    SelectObject(dc, oldPen);
}
