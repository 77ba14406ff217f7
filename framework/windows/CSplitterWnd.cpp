#include "CSplitterWnd.h"

#include <algorithm>

#include "CCreateContext.h"
#include "CPaintDC.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_SETCURSOR()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CANCELMODE()
END_MESSAGE_MAP()

bool CSplitterWnd::CreateStatic(CWnd* parent, int rows, int cols, DWORD style, UINT id) {
  if (rows < 1 || cols < 1 || rows > 16 || cols > 16) {
    return false;
  }
  m_rows.assign(static_cast<size_t>(rows), Track{0, 0, 0});
  m_cols.assign(static_cast<size_t>(cols), Track{0, 0, 0});
  RECT none{0, 0, 0, 0};
  const char* cls = RegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CreateEx(0, cls, nullptr, style | WS_CHILD | WS_CLIPCHILDREN, none, parent, id);
}

bool CSplitterWnd::CreateView(int row, int col, const CRuntimeClass* paneClass,
                              SIZE initialSize, CCreateContext* context) {
  if (row < 0 || row >= GetRowCount() || col < 0 || col >= GetColumnCount()) {
    return false;
  }
  CObject* object = paneClass ? paneClass->CreateObject() : nullptr;
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CWnd))) {
    delete object;
    return false;
  }
  m_cols[static_cast<size_t>(col)].ideal = initialSize.cx;
  m_rows[static_cast<size_t>(row)].ideal = initialSize.cy;
  auto* pane = static_cast<CWnd*>(object);
  RECT none{0, 0, 0, 0};
  if (!pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, none, this,
                    static_cast<UINT>(IdFromRowCol(row, col)), context)) {
    return false;
  }
  RecalcLayout();
  return true;
}

void CSplitterWnd::SetColumnInfo(int col, int ideal, int min) {
  if (col >= 0 && col < GetColumnCount()) {
    m_cols[static_cast<size_t>(col)].ideal = ideal;
    m_cols[static_cast<size_t>(col)].min = min;
  }
}

void CSplitterWnd::GetColumnInfo(int col, int& current, int& min) const {
  current = min = 0;
  if (col >= 0 && col < GetColumnCount()) {
    current = m_cols[static_cast<size_t>(col)].current;
    min = m_cols[static_cast<size_t>(col)].min;
  }
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int min) {
  if (row >= 0 && row < GetRowCount()) {
    m_rows[static_cast<size_t>(row)].ideal = ideal;
    m_rows[static_cast<size_t>(row)].min = min;
  }
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& min) const {
  current = min = 0;
  if (row >= 0 && row < GetRowCount()) {
    current = m_rows[static_cast<size_t>(row)].current;
    min = m_rows[static_cast<size_t>(row)].min;
  }
}

int CSplitterWnd::IdFromRowCol(int row, int col) const {
  return static_cast<int>(AFX_IDW_PANE_FIRST) + row * 16 + col;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
  return GetDlgItem(IdFromRowCol(row, col));
}

void CSplitterWnd::Layout(std::vector<Track>& tracks, int extent) {
  int position = 0;
  for (size_t i = 0; i < tracks.size(); ++i) {
    Track& track = tracks[i];
    int remaining = std::max(0, extent - position);
    bool last = i + 1 == tracks.size();
    int size = remaining;
    if (!last) {
      size = std::clamp(track.ideal, 0, std::max(0, remaining - kBarSize));
      if (size < track.min) {
        size = 0;
      }
    }
    track.current = size;
    position += size + (last ? 0 : kBarSize);
  }
}

void CSplitterWnd::RecalcLayout() {
  if (!m_hWnd) {
    return;
  }
  RECT client{};
  GetClientRect(&client);
  Layout(m_cols, client.right);
  Layout(m_rows, client.bottom);
  int y = 0;
  for (int row = 0; row < GetRowCount(); ++row) {
    int height = m_rows[static_cast<size_t>(row)].current;
    int x = 0;
    for (int col = 0; col < GetColumnCount(); ++col) {
      int width = m_cols[static_cast<size_t>(col)].current;
      if (HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(row, col))) {
        ::SetWindowPos(pane, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      x += width + kBarSize;
    }
    y += height + kBarSize;
  }
  Invalidate();
}

void CSplitterWnd::OnSize(UINT type, int, int) {
  Default();
  if (type != SIZE_MINIMIZED) {
    RecalcLayout();
  }
}

void CSplitterWnd::OnPaint() {
  CPaintDC dc(this);
  RECT client{};
  GetClientRect(&client);
  dc.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
}

bool CSplitterWnd::HitBar(POINT point, bool& columnBar, int& index) const {
  int x = 0;
  for (int col = 0; col + 1 < GetColumnCount(); ++col) {
    x += m_cols[static_cast<size_t>(col)].current;
    if (point.x >= x && point.x < x + kBarSize) {
      columnBar = true;
      index = col;
      return true;
    }
    x += kBarSize;
  }
  int y = 0;
  for (int row = 0; row + 1 < GetRowCount(); ++row) {
    y += m_rows[static_cast<size_t>(row)].current;
    if (point.y >= y && point.y < y + kBarSize) {
      columnBar = false;
      index = row;
      return true;
    }
    y += kBarSize;
  }
  return false;
}

BOOL CSplitterWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT) {
  POINT point{};
  ::GetCursorPos(&point);
  ::ScreenToClient(m_hWnd, &point);
  bool columnBar = false;
  int index = 0;
  if (wnd == this && hitTest == HTCLIENT && (m_tracking || HitBar(point, columnBar, index))) {
    bool vertical = m_tracking ? m_trackingColumn : columnBar;
    ::SetCursor(::LoadCursorA(nullptr, vertical ? IDC_SIZEWE : IDC_SIZENS));
    return TRUE;
  }
  return static_cast<BOOL>(Default());
}

int CSplitterWnd::TrackStart(int index) const {
  const std::vector<Track>& tracks = m_trackingColumn ? m_cols : m_rows;
  int start = 0;
  for (int i = 0; i < index; ++i) {
    start += tracks[static_cast<size_t>(i)].current + kBarSize;
  }
  return start;
}

void CSplitterWnd::OnLButtonDown(UINT, POINT point) {
  if (HitBar(point, m_trackingColumn, m_trackIndex)) {
    const std::vector<Track>& tracks = m_trackingColumn ? m_cols : m_rows;
    int barStart = TrackStart(m_trackIndex) + tracks[static_cast<size_t>(m_trackIndex)].current;
    m_grabOffset = (m_trackingColumn ? point.x : point.y) - barStart;
    m_tracking = true;
    SetCapture();
  }
}

void CSplitterWnd::OnMouseMove(UINT, POINT point) {
  if (!m_tracking) {
    return;
  }
  std::vector<Track>& tracks = m_trackingColumn ? m_cols : m_rows;
  int edge = (m_trackingColumn ? point.x : point.y) - m_grabOffset;
  tracks[static_cast<size_t>(m_trackIndex)].ideal = std::max(0, edge - TrackStart(m_trackIndex));
  RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT, POINT) {
  StopTracking();
}

void CSplitterWnd::OnCancelMode() {
  StopTracking();
  Default();
}

void CSplitterWnd::StopTracking() {
  if (m_tracking) {
    m_tracking = false;
    ::ReleaseCapture();
  }
}
