#include "CMainSplitter.h"

IMPLEMENT_DYNAMIC(CMainSplitter, CSplitterWnd)

BEGIN_MESSAGE_MAP(CMainSplitter, CSplitterWnd)
  ON_WM_SIZE()
END_MESSAGE_MAP()

// The frame lays its panes out over the whole client area; the splitter
// then moves down to the bottom of the tool bars.
void CMainSplitter::OnSize(UINT type, int cx, int cy) {
  CSplitterWnd::OnSize(type, cx, cy);
  if (type == SIZE_MINIMIZED || cx == 0 || cy == 0) return;
  CWnd* parent = GetParent();
  if (!parent) return;
  RECT rect{};
  GetWindowRect(&rect);
  POINT origin{rect.left, rect.top};
  ::ScreenToClient(parent->m_hWnd, &origin);
  if (origin.y != m_top)
    SetWindowPos(nullptr, origin.x, m_top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// While the left button is down, a move too close to the right edge is
// dropped, so the right pane keeps its least width.
void CMainSplitter::OnMouseMove(UINT flags, POINT point) {
  if (flags & MK_LBUTTON) {
    RECT client{};
    GetClientRect(&client);
    if (client.right - point.x < kMinRightWidth) return;
  }
  CSplitterWnd::OnMouseMove(flags, point);
}
