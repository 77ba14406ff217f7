#include "CBalloonWnd.h"

#include <algorithm>

#include "CBalloonManager.h"
#include "CPaintDC.h"

namespace {

// Inner margin of the text.
constexpr int kTextMargin = 3;
// Where the tail joins a border: the gap's ends from the near edge.
constexpr int kGapNear = 8;
constexpr int kGapFar = 12;

const char* BalloonClass() {
  static const char* name = [] {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = CBalloonWnd::kClassName;
    return ::RegisterClassA(&wc) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS ? CBalloonWnd::kClassName
                                                                                     : nullptr;
  }();
  return name;
}

}  // namespace

BEGIN_MESSAGE_MAP(CBalloonWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_RBUTTONDOWN()
  ZR_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CBalloonWnd::CBalloonWnd(CBalloonManager& manager, COLORREF colour, int pointSize)
    : m_manager(manager), m_colour(colour), m_pointSize(pointSize) {}

bool CBalloonWnd::Create(HWND parent, const std::string& text) {
  const char* cls = BalloonClass();
  // The window's text is the balloon's, for whoever reads windows.
  if (!cls ||
      !CreateEx(WS_EX_TOOLWINDOW, cls, text.c_str(), WS_CHILD, RECT{0, 0, 10, 10}, CWnd::FromHandle(parent), 0))
    return false;
  m_text = text;
  Measure();
  return true;
}

void CBalloonWnd::Measure() {
  HDC dc = ::GetDC(m_hWnd);
  LOGFONTA font{};
  font.lfHeight = ::MulDiv(m_pointSize, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
  font.lfCharSet = ANSI_CHARSET;
  font.lfClipPrecision = 0x12;
  font.lfPitchAndFamily = FF_SWISS;
  m_font = ::CreateFontIndirectA(&font);
  HGDIOBJ old = ::SelectObject(dc, m_font);
  int widest = 0;
  SIZE letter{};
  ::GetTextExtentPoint32A(dc, "A", 1, &letter);
  if (!m_text.empty()) {
    m_lines = WrapBalloonText(m_text);
    for (const std::string& line : m_lines) {
      SIZE size{};
      ::GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
      widest = std::max(widest, static_cast<int>(size.cx));
    }
    m_width = widest + 2 * kTextMargin;
    m_height = static_cast<int>(m_lines.size()) * letter.cy + 2 * kTextMargin;
  }
  m_width = std::max(m_width, kBalloonMinWidth);
  ::SelectObject(dc, old);
  ::ReleaseDC(m_hWnd, dc);
}

void CBalloonWnd::OnPaint() {
  CPaintDC paint(this);
  HDC dc = paint.GetSafeHdc();
  RECT client{};
  GetClientRect(&client);
  HBRUSH face = ::CreateSolidBrush(m_colour);
  ::FillRect(dc, &client, face);
  ::DeleteObject(face);
  HGDIOBJ oldFont = ::SelectObject(dc, m_font);
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkMode(dc, TRANSPARENT);
  RECT text = client;
  ::InflateRect(&text, -kTextMargin, -kTextMargin);
  std::string shown;
  for (size_t line = 0; line < m_lines.size(); ++line) shown += (line ? "\n" : "") + m_lines[line];
  ::DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &text, DT_NOPREFIX);
  ::SelectObject(dc, oldFont);
  DrawBorder(dc, client.right, client.bottom);
}

void CBalloonWnd::DrawBorder(HDC dc, int width, int height) const {
  HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
  auto line = [dc](int x1, int y1, int x2, int y2) {
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
  };
  line(0, 0, 0, height);
  line(width - 1, 0, width - 1, height);
  const bool above = m_corner == kAboveLeft || m_corner == kAboveRight;
  const int closedEdge = above ? 0 : height - 1;
  const int openEdge = above ? height - 1 : 0;
  line(0, closedEdge, width, closedEdge);
  if (m_corner == kAboveLeft || m_corner == kBelowLeft) {
    line(0, openEdge, width - kGapFar, openEdge);
    line(width - kGapNear, openEdge, width, openEdge);
  } else {
    line(0, openEdge, kGapNear, openEdge);
    line(kGapFar, openEdge, width, openEdge);
  }
  ::SelectObject(dc, oldPen);
}

void CBalloonWnd::OnLButtonDown(UINT, POINT) { m_manager.RemoveByBalloon(this); }
void CBalloonWnd::OnRButtonDown(UINT, POINT) { m_manager.RemoveByBalloon(this); }
void CBalloonWnd::OnMButtonDown(UINT, POINT) { m_manager.RemoveByBalloon(this); }

void CBalloonWnd::OnDestroy() {
  m_manager.OnBalloonDestroyed(this);
  Default();
}

void CBalloonWnd::PostNcDestroy() {
  if (m_font) ::DeleteObject(m_font);
  delete this;
}
