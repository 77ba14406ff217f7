#include "CItemListWnd.h"

#include <algorithm>

#include "CClientDC.h"
#include "CPaintDC.h"
#include "CWindowDC.h"
#include "ListFont.h"

namespace {
const char* ListClass() {
  return CWnd::RegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                ::LoadCursorA(nullptr, IDC_ARROW),
                                static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}
}  // namespace

BEGIN_MESSAGE_MAP(CItemListWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_NCPAINT()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_RBUTTONDOWN()
  ZR_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
END_MESSAGE_MAP()

CItemListWnd::CItemListWnd()
    : m_model([this](int32_t key, void* a, void* b) { return Compare(key, a, b); }) {}

CItemListWnd::~CItemListWnd() {
  RemoveAll(false);
}

bool CItemListWnd::Create(CWnd* parent, UINT controlId, const RECT& rect) {
  RECT place = rect;
  if (controlId && !TakePlaceholderRect(parent, controlId, place)) {
    return false;
  }
  if (!m_font.GetSafeHandle() && !CreateListFont(m_font)) {
    return false;
  }
  {
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, m_font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen, &metrics);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    m_rowHeight = std::max<int32_t>(metrics.tmHeight + metrics.tmExternalLeading, 1);
    m_headerHeight = m_rowHeight;
    m_horz.line = metrics.tmAveCharWidth;
    m_horz.page = 16 * metrics.tmAveCharWidth;
  }
  DWORD style = WS_CHILD | WS_VISIBLE | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL;
  if (!CreateEx(0, ListClass(), "", style, place, parent, controlId)) {
    return false;
  }
  RECT client;
  GetClientRect(&client);
  if (!m_header.Create(this, &m_font, RECT{0, 0, client.right, m_headerHeight})) {
    DestroyWindow();
    return false;
  }
  OnSize(SIZE_RESTORED, client.right, client.bottom);
  return true;
}

void CItemListWnd::AddColumn(int32_t key, const std::string& caption, bool sortColumn) {
  m_header.AddColumn(key, caption);
  if (sortColumn) {
    ChooseSortColumn(key);
  }
}

RECT CItemListWnd::ColumnRect(int32_t key) const {
  const ListColumn* column = m_header.Model().Find(key);
  if (!column) {
    return RECT{};
  }
  return RECT{column->left, column->top, column->right, column->bottom};
}

void CItemListWnd::ChooseSortColumn(int32_t key) {
  if (!m_header.Model().Choose(key)) {
    return;
  }
  m_model.SetSortKey(key);
  Sort(true);
  m_header.Invalidate();
}

int32_t CItemListWnd::AddItem(void* object) {
  int32_t index = m_model.Insert(object);
  ItemRecord* record = m_model.Record(index);
  OnItemAdded(record);
  UpdateVerticalRange();
  if (m_model.Widen(record->width)) {
    UpdateHorizontalRange();
  }
  Redraw();
  return index;
}

void CItemListWnd::DeleteItem(int32_t index, bool redraw) {
  std::unique_ptr<ItemRecord> record = m_model.Remove(index);
  if (!record) {
    return;
  }
  OnItemDeleted(record->object);
  m_model.RecomputeWidest();
  if (m_hWnd) {
    UpdateVerticalRange();
    UpdateHorizontalRange();
  }
  if (redraw) {
    Redraw();
  }
}

void CItemListWnd::RemoveAll(bool redraw) {
  while (m_model.Count() > 0) {
    DeleteItem(m_model.Count() - 1, false);
  }
  if (redraw) {
    Redraw();
  }
}

int32_t CItemListWnd::Select(int32_t index) {
  if (!m_hWnd) {
    return -1;
  }
  ItemListModel::Selection change =
      m_model.Select(index, [this](int32_t row) { return MaySelect(row); });
  if (change.flagged < 0) {
    return change.result;
  }
  RedrawRow(change.unflagged);
  int32_t top = m_vert.position;
  if (change.flagged < top || change.flagged >= top + m_visibleRows) {
    SetTopRow(change.flagged);
  } else {
    RedrawRow(change.flagged);
  }
  return change.result;
}

void CItemListWnd::Sort(bool redraw) {
  if (m_model.Sort() && redraw) {
    Redraw();
  }
}

void CItemListWnd::SetTopRow(int32_t row) {
  int32_t wanted = m_vert.Clamp(row);
  ScrollVertically(wanted - m_vert.position);
}

void CItemListWnd::Redraw() {
  if (m_hWnd) {
    Invalidate();
    UpdateWindow();
  }
}

int32_t CItemListWnd::SetTextExtent(const std::string& text) {
  if (!m_hWnd) {
    return 0;
  }
  CClientDC dc(this);
  dc.SelectObject(&m_font);
  return dc.GetTextExtent(text + "    ").cx;
}

void CItemListWnd::WidenTo(int32_t width) {
  if (m_model.Widen(width)) {
    UpdateHorizontalRange();
  }
}

void CItemListWnd::ApplyRange(int bar, ListScrollState& state, int32_t maximum) {
  ApplyScrollRange(m_hWnd, bar, state, maximum);
}

void CItemListWnd::UpdateVerticalRange() {
  ApplyRange(SB_VERT, m_vert, m_model.Count() - m_visibleRows);
}

void CItemListWnd::UpdateHorizontalRange() {
  RECT client{};
  if (m_hWnd) {
    GetClientRect(&client);
  }
  ApplyRange(SB_HORZ, m_horz, m_model.Widest() - client.right);
}

void CItemListWnd::OnSize(UINT, int cx, int cy) {
  if (m_header.GetSafeHwnd()) {
    m_header.MoveWindow(0, 0, cx, m_headerHeight);
  }
  m_visibleRows = std::max<int32_t>((cy - m_headerHeight) / m_rowHeight, 0);
  m_rowsRect = RECT{0, m_headerHeight, cx, m_headerHeight + m_visibleRows * m_rowHeight};
  m_vert.page = m_visibleRows;
  UpdateVerticalRange();
  UpdateHorizontalRange();
}

void CItemListWnd::ScrollVertically(int32_t rows) {
  if (rows == 0) {
    return;
  }
  m_vert.position += rows;
  ::SetScrollPos(m_hWnd, SB_VERT, m_vert.position, TRUE);
  ::ScrollWindowEx(m_hWnd, 0, -rows * m_rowHeight, &m_rowsRect, &m_rowsRect, nullptr, nullptr,
                   SW_INVALIDATE);
  UpdateWindow();
}

void CItemListWnd::ScrollHorizontally(int32_t pixels) {
  if (pixels == 0) {
    return;
  }
  m_horz.position += pixels;
  ::SetScrollPos(m_hWnd, SB_HORZ, m_horz.position, TRUE);
  m_header.Invalidate();
  const auto& columns = m_header.Model().Columns();
  int32_t pad = columns.empty() ? 0 : columns.front().pad;
  RECT inner{m_rowsRect.left + pad, m_rowsRect.top, m_rowsRect.right - pad, m_rowsRect.bottom};
  ::ScrollWindowEx(m_hWnd, -pixels, 0, &inner, &inner, nullptr, nullptr, SW_INVALIDATE);
  UpdateWindow();
}

void CItemListWnd::OnVScroll(UINT code, UINT position, CWnd*) {
  ScrollVertically(m_vert.Step(static_cast<int32_t>(code), static_cast<int32_t>(position)));
}

void CItemListWnd::OnHScroll(UINT code, UINT position, CWnd*) {
  ScrollHorizontally(m_horz.Step(static_cast<int32_t>(code), static_cast<int32_t>(position)));
}

RECT CItemListWnd::RowRect(int32_t row) const {
  int32_t top = m_rowsRect.top + (row - m_vert.position) * m_rowHeight;
  return RECT{m_rowsRect.left, top, m_rowsRect.right, top + m_rowHeight};
}

void CItemListWnd::RedrawRow(int32_t row) {
  if (row < m_vert.position || row >= m_vert.position + m_visibleRows) {
    return;
  }
  RECT rect = RowRect(row);
  ::InvalidateRect(m_hWnd, &rect, FALSE);
  UpdateWindow();
}

void CItemListWnd::OnPaint() {
  CPaintDC dc(this);
  dc.SelectObject(&m_font);
  int32_t last = std::min(m_vert.position + m_visibleRows, m_model.Count());
  for (int32_t row = m_vert.position; row < last; ++row) {
    RECT rect = RowRect(row);
    RECT overlap;
    if (::IntersectRect(&overlap, &rect, &dc.m_ps.rcPaint)) {
      DrawRow(dc, row);
    }
  }
  RECT below{m_rowsRect.left, m_rowsRect.bottom, m_rowsRect.right,
             m_rowsRect.bottom + m_rowHeight};
  dc.FillSolidRect(below, RGB(255, 255, 255));
}

void CItemListWnd::DrawRow(CDC& dc, int32_t row) {
  ItemRecord* record = m_model.Record(row);
  RECT rect = RowRect(row);
  if (record->selected) {
    dc.FillSolidRect(rect, ::GetSysColor(COLOR_HIGHLIGHT));
    dc.SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
    dc.SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
  } else {
    dc.FillSolidRect(rect, RGB(255, 255, 255));
    dc.SetBkColor(::GetSysColor(COLOR_WINDOW));
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
  }
  const auto& columns = m_header.Model().Columns();
  for (size_t i = 0; i < columns.size(); ++i) {
    const ListColumn& column = columns[i];
    bool lastColumn = i + 1 == columns.size();
    int32_t left = column.left + column.pad - m_horz.position;
    int32_t right = column.right - column.pad - (lastColumn ? 0 : m_horz.position);
    DrawCell(&dc, left, rect.top, right, rect.bottom, column.key, record);
  }
}

void CItemListWnd::OnNcPaint() {
  Default();
  CWindowDC dc(this);
  RECT window;
  GetWindowRect(&window);
  int32_t w = window.right - window.left;
  int32_t h = window.bottom - window.top;
  COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  dc.FillSolidRect(RECT{0, 0, w, 1}, shadow);
  dc.FillSolidRect(RECT{0, 0, 1, h}, shadow);
  dc.FillSolidRect(RECT{1, 1, w - 1, 2}, RGB(0, 0, 0));
  dc.FillSolidRect(RECT{1, 1, 2, h - 1}, RGB(0, 0, 0));
  dc.FillSolidRect(RECT{w - 2, 1, w - 1, h - 1}, face);
  dc.FillSolidRect(RECT{1, h - 2, w - 1, h - 1}, face);
  dc.FillSolidRect(RECT{w - 1, 0, w, h}, RGB(255, 255, 255));
  dc.FillSolidRect(RECT{0, h - 1, w, h}, RGB(255, 255, 255));
}

int32_t CItemListWnd::HitTest(POINT point) const {
  return ItemListModel::HitTest(point.y, m_rowsRect.top, m_rowHeight, m_visibleRows,
                                m_vert.position, m_model.Count());
}

void CItemListWnd::OnLButtonDown(UINT, POINT point) {
  int32_t row = HitTest(point);
  if (row < 0) {
    return;
  }
  SetCapture();
  m_pressed = true;
  m_pressedRow = row;
  Select(row);
}

void CItemListWnd::OnMouseMove(UINT, POINT point) {
  if (!m_pressed) {
    return;
  }
  int32_t row = HitTest(point);
  if (row >= 0) {
    Select(row);
  }
}

void CItemListWnd::OnLButtonUp(UINT, POINT point) {
  if (!m_pressed) {
    return;
  }
  m_pressed = false;
  ::ReleaseCapture();
  if (HitTest(point) == m_pressedRow) {
    ReportRow(point, &CItemListWnd::OnClicked);
  }
}

void CItemListWnd::ReportRow(POINT point, Report report) {
  ItemRecord* record = m_model.Record(HitTest(point));
  if (!record || (record->flags & ItemListModel::kFlagInert)) {
    return;
  }
  POINT screen = point;
  ClientToScreen(&screen);
  (this->*report)(record->object, screen.x, screen.y);
}

void CItemListWnd::OnLButtonDblClk(UINT, POINT point) {
  ReportRow(point, &CItemListWnd::OnDoubleClicked);
}

void CItemListWnd::OnRButtonDown(UINT, POINT point) {
  ReportRow(point, &CItemListWnd::OnRightButtonDown);
}

void CItemListWnd::OnRButtonDblClk(UINT, POINT point) {
  ReportRow(point, &CItemListWnd::OnRightDoubleClicked);
}
