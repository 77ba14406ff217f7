#include "CBarHost.h"

#include <algorithm>

#include "CBarWnd.h"
#include "CPaintDC.h"
#include "FrameworkIds.h"

BEGIN_MESSAGE_MAP(CBarHost, CWnd)
  ON_WM_PAINT()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace {

constexpr int kSeparatorWidth = 2;

}  // namespace

bool CBarHost::Create(CWnd* parent) {
  static const char* className = RegisterWndClass(
      CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
      static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
  RECT none{0, 0, 0, 0};
  if (!className ||
      !CreateEx(0, className, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, none, parent, 0)) {
    return false;
  }
  m_redrawEntry.Add(m_hWnd);
  return true;
}

void CBarHost::OnDestroy() {
  m_redrawEntry.Remove();
  m_slots.clear();
  m_slotOfBar.clear();
  Default();
}

bool CBarHost::AddBar(CBarWnd* bar) {
  if (!bar || !bar->m_hWnd || !m_hWnd) return false;
  ::SetParent(bar->m_hWnd, m_hWnd);
  RECT rect{};
  ::GetWindowRect(bar->m_hWnd, &rect);
  m_height = rect.bottom - rect.top;
  m_slotOfBar[bar->m_hWnd] = m_slots.size();
  m_slots.push_back(Slot{bar->m_hWnd, 0, false});
  return true;
}

void CBarHost::SetRightAligned(CBarWnd* bar) {
  if (!bar) return;
  const auto found = m_slotOfBar.find(bar->m_hWnd);
  if (found != m_slotOfBar.end()) m_slots[found->second].rightAligned = true;
}

int CBarHost::GetHeight() const { return IsShown() ? m_height : 0; }

bool CBarHost::IsShown() const { return m_hWnd && (GetStyle() & WS_VISIBLE) != 0; }

SIZE CBarHost::LayoutBar(HWND bar, int left, int top, int right, int bottom, bool stretch,
                         bool rightAligned) {
  BarLayout record{left, top, right, bottom, 0, 0, stretch ? 1 : 0, rightAligned ? 1 : 0};
  ::SendMessageA(bar, CBarWnd::kLayoutMessage, 0, reinterpret_cast<LPARAM>(&record));
  return SIZE{record.width, record.height};
}

// A right-aligned last bar takes its place first; the others share the rest
// from the left, the last of them stretched.
int CBarHost::Layout(int left, int top, int right, int bottom) {
  int result = 0;
  size_t count = m_slots.size();
  if (count > 0 && m_slots.back().rightAligned) {
    const SIZE size = LayoutBar(m_slots.back().bar, left, top, right, bottom, false, true);
    if (size.cy >= 0) result = size.cy;
    right -= size.cx + kSeparatorWidth;
    --count;
  }
  for (size_t i = 0; i < count; ++i) {
    const SIZE size = LayoutBar(m_slots[i].bar, left, top, right, bottom, i + 1 == count, false);
    result = std::max(result, static_cast<int>(size.cy));
    left += size.cx;
    m_slots[i].separator = left;
    left += kSeparatorWidth;
  }
  return result;
}

// The host never gets lower than its tallest bar has made it.
LRESULT CBarHost::OnSizeParent(WPARAM, LPARAM layout) {
  if (!IsShown()) return 0;
  const auto* params = reinterpret_cast<const SizeParentParams*>(layout);
  const RECT& rect = params->rect;
  const int width = rect.right - rect.left;
  m_height = std::max(Layout(0, 0, width, rect.bottom - rect.top), m_height);
  SetWindowPos(nullptr, 0, 0, width, m_height, SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

// An etched line two pixels wide after every bar but the last.
void CBarHost::OnPaint() {
  CPaintDC dc(this);
  RECT client{};
  GetClientRect(&client);
  const int bottom = client.bottom;
  for (size_t i = 0; i + 1 < m_slots.size(); ++i) {
    const int x = m_slots[i].separator;
    if (x == 0) continue;
    DrawBarLine(dc.m_hDC, x, 0, x, bottom - 2, BarEtchColour());
    DrawBarLine(dc.m_hDC, x + 1, 0, x + 1, bottom - 3, RGB(255, 255, 255));
    DrawBarLine(dc.m_hDC, x + 1, bottom - 3, x + 2, bottom - 2, RGB(255, 255, 255));
    DrawBarLine(dc.m_hDC, x, bottom - 1, x + 2, bottom - 1, RGB(0, 0, 0));
  }
}
