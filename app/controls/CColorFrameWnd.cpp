#include "CColorFrameWnd.h"

#include "CPaintDC.h"

namespace {

constexpr UINT kMeterId = 1;
constexpr int kTop = 5;
// Each percent is this many pixels of the bar.
constexpr int kPixelsPerPercent = 2;

const char* MeterClass() {
  static const char* name = CWnd::RegisterWndClass(
      CS_HREDRAW | CS_VREDRAW, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  return name;
}

}  // namespace

BEGIN_MESSAGE_MAP(CColorFrameWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CColorFrameWnd::CColorFrameWnd(CWnd* parent) : m_parent(parent) {}

bool CColorFrameWnd::Create() {
  if (!m_brush.GetSafeHandle()) m_brush.CreateSolidBrush(RGB(0, 0, 255));
  return CreateEx(0, MeterClass(), "", WS_CHILD | WS_VISIBLE, RECT{0, kTop, kWidth, kTop + kHeight},
                  m_parent, kMeterId);
}

void CColorFrameWnd::SetPosition(int left, int right) {
  if (!m_hWnd) return;
  SetWindowPos(nullptr, left + (right - left - kWidth) / 2, kTop, kWidth, kHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CColorFrameWnd::SetColor(int32_t value) {
  m_value = value;
  if (!m_hWnd) return;
  Invalidate(true);
  UpdateWindow();
}

void CColorFrameWnd::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  if (m_value <= 0 || m_value >= 100) {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  RECT bar{0, 0, m_value * kPixelsPerPercent, client.bottom};
  ::FillRect(dc, &bar, m_brush);
  ::FrameRect(dc, &bar, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}
