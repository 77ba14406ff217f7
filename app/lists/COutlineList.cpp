#include "COutlineList.h"

#include <algorithm>

#include "CClientDC.h"
#include "COutlineCtrl.h"
#include "COutlineNode.h"
#include "CPaintDC.h"
#include "ListFont.h"
#include "ModuleState.h"

BEGIN_MESSAGE_MAP(COutlineList, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_RBUTTONDOWN()
  ZR_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
  ON_MESSAGE(LB_GETCOUNT, OnGetCount)
  ON_MESSAGE(LB_GETTEXTLEN, OnGetTextLength)
  ON_MESSAGE(LB_GETTEXT, OnGetText)
  ON_MESSAGE(LB_GETITEMDATA, OnGetItemData)
  ON_MESSAGE(LB_GETCURSEL, OnGetCurrentSelection)
  ON_MESSAGE(LB_GETTOPINDEX, OnGetTopIndex)
  ON_MESSAGE(LB_GETITEMHEIGHT, OnGetItemHeight)
END_MESSAGE_MAP()

COutlineList::COutlineList(COutlineCtrl* owner) : m_owner(owner) {}

COutlineList::~COutlineList() {
  DestroyWindow();
  if (m_ownCursor) {
    ::DestroyCursor(m_cursor);
  }
}

bool COutlineList::Create(CWnd* parent, UINT id, UINT cursorId, const RECT& rect) {
  if (cursorId) {
    m_cursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(cursorId));
    m_ownCursor = m_cursor != nullptr;
  }
  if (!m_cursor) {
    m_cursor = ::LoadCursorA(nullptr, IDC_ARROW);
  }
  if (!m_font.GetSafeHandle() && !CreateListFont(m_font)) {
    return false;
  }
  const char* className = RegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, m_cursor,
                                           static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  if (!CreateEx(0, className, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, rect, parent,
                id)) {
    return false;
  }
  CClientDC dc(this);
  dc.SelectObject(&m_font);
  TEXTMETRICA metrics{};
  dc.GetTextMetrics(&metrics);
  m_rowHeight = std::max<int32_t>(metrics.tmHeight + metrics.tmExternalLeading, 18);
  m_inset = m_rowHeight / 3;
  m_owner->m_charWidth = metrics.tmAveCharWidth;
  m_owner->m_pageWidth = 16 * metrics.tmAveCharWidth;
  ComputeTextIndent();
  Layout();
  return true;
}

void COutlineList::SetRows(const std::vector<COutlineNode*>& rows) {
  SetRowsQuietly(rows);
  Redraw();
  m_owner->MaySelect(m_rows.SelectedRow());
}

void COutlineList::SetRowsQuietly(const std::vector<COutlineNode*>& rows) {
  m_rows.SetRows(rows);
  UpdateVerticalRange();
}

bool COutlineList::LoadRowBitmap(UINT id) {
  m_bitmap.DeleteObject();
  if (!m_bitmap.LoadBitmap(id)) {
    m_bitmapSize = SIZE{};
    ComputeTextIndent();
    return false;
  }
  m_bitmapSize = m_bitmap.GetSize();
  ComputeTextIndent();
  Redraw();
  return true;
}

void COutlineList::SetImagePlace(int32_t left, int32_t topLimit, int32_t bottomLimit) {
  m_imageLeft = left;
  m_imageTop = topLimit;
  m_imageBottom = bottomLimit;
  ComputeTextIndent();
}

void COutlineList::ComputeTextIndent() {
  m_textIndent = m_imageLeft + m_inset + std::min<int32_t>(m_bitmapSize.cx / 2, m_rowHeight);
}

int32_t COutlineList::SelectRow(int32_t row) {
  if (!m_hWnd) {
    return -1;
  }
  OutlineRowModel::Selection change =
      m_rows.Select(row, [this](int32_t wanted) { return m_owner->MaySelect(wanted); });
  if (change.flagged < 0) {
    return change.result;
  }
  RedrawRow(change.unflagged);
  int32_t top = OutlineRowModel::TopRowShowing(change.flagged, m_vert.position, m_visibleRows);
  if (top != m_vert.position) {
    SetTopRow(top);
  } else {
    RedrawRow(change.flagged);
  }
  return change.result;
}

void COutlineList::Redraw() {
  if (m_hWnd) {
    Invalidate();
    UpdateWindow();
  }
}

int32_t COutlineList::GetTabWidth(const std::string& text) {
  if (!m_hWnd) {
    return 0;
  }
  CClientDC dc(this);
  dc.SelectObject(&m_font);
  return dc.GetTextExtent(text + "    ").cx;
}

void COutlineList::SetContentWidth(int32_t pixels) {
  m_contentWidth = pixels;
  RECT client{};
  if (m_hWnd) {
    GetClientRect(&client);
  }
  ApplyRange(SB_HORZ, m_horz, m_contentWidth - client.right);
}

void COutlineList::DrawVisibleRows(int32_t value, void* object) {
  if (!m_hWnd) {
    return;
  }
  CClientDC dc(this);
  dc.SelectObject(&m_font);
  int32_t last = std::min(m_vert.position + m_visibleRows, m_rows.Count());
  for (int32_t row = m_vert.position; row < last; ++row) {
    m_owner->PaintPass(&dc, RowRect(row), m_rows.Node(row), value, object);
  }
}

void COutlineList::ApplyRange(int bar, ListScrollState& state, int32_t maximum) {
  ApplyScrollRange(m_hWnd, bar, state, maximum);
  if (m_hWnd) {
    Invalidate();
  }
}

void COutlineList::UpdateVerticalRange() {
  ApplyRange(SB_VERT, m_vert, m_rows.Count() - m_visibleRows);
}

void COutlineList::Layout() {
  RECT client;
  GetClientRect(&client);
  m_visibleRows = std::max<int32_t>((client.bottom - 2 * m_inset) / m_rowHeight, 0);
  UpdateVerticalRange();
  SetContentWidth(m_contentWidth);
}

void COutlineList::OnSize(UINT, int, int) { Layout(); }

void COutlineList::Scroll(int bar, ListScrollState& state, int32_t step) {
  if (step != 0) {
    state.position += step;
    ::SetScrollPos(m_hWnd, bar, state.position, TRUE);
    Invalidate(false);
  }
  UpdateWindow();
}

void COutlineList::SetTopRow(int32_t row) {
  Scroll(SB_VERT, m_vert, m_vert.Clamp(row) - m_vert.position);
}

void COutlineList::OnVScroll(UINT code, UINT position, CWnd*) {
  Scroll(SB_VERT, m_vert, m_vert.Step(static_cast<int32_t>(code), static_cast<int32_t>(position)));
}

void COutlineList::OnHScroll(UINT code, UINT position, CWnd*) {
  Scroll(SB_HORZ, m_horz, m_horz.Step(static_cast<int32_t>(code), static_cast<int32_t>(position)));
}

RECT COutlineList::RowRect(int32_t row) const {
  RECT client{};
  GetClientRect(&client);
  int32_t top = m_inset + (row - m_vert.position) * m_rowHeight;
  int32_t right = std::max<int32_t>(client.right - m_inset, m_inset + m_contentWidth);
  return RECT{m_inset - m_horz.position, top, right - m_horz.position, top + m_rowHeight};
}

void COutlineList::RedrawRow(int32_t row) {
  if (row < m_vert.position || row >= m_vert.position + m_visibleRows) {
    return;
  }
  RECT rect = RowRect(row);
  ::InvalidateRect(m_hWnd, &rect, FALSE);
  UpdateWindow();
}

void COutlineList::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  int saved = dc.SaveDC();
  dc.IntersectClipRect(RECT{m_inset, m_inset, client.right - m_inset, client.bottom - m_inset});
  dc.SelectObject(&m_font);
  int32_t last = std::min(m_vert.position + m_visibleRows, m_rows.Count());
  for (int32_t row = m_vert.position; row < last; ++row) {
    RECT rect = RowRect(row);
    RECT overlap;
    if (::IntersectRect(&overlap, &rect, &dc.m_ps.rcPaint)) {
      DrawRow(dc, row);
    }
  }
  dc.RestoreDC(saved);
  DrawFrame(dc);
}

void COutlineList::DrawRow(CDC& dc, int32_t row) {
  COutlineNode* node = m_rows.Node(row);
  RECT rect = RowRect(row);
  dc.FillSolidRect(rect, RGB(255, 255, 255));
  dc.SetTextColor(node->IsDisabled() ? ::GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0));
  dc.SetBkColor(RGB(255, 255, 255));
  RECT content = rect;
  if (!node->IsFullWidth()) {
    if ((node->state & COutlineNode::kToggles) && m_bitmap.GetSafeHandle()) {
      int32_t width = m_textIndent - m_inset - m_imageLeft;
      int32_t height = std::min<int32_t>(m_bitmapSize.cy, m_imageBottom - m_imageTop);
      CDC memory;
      memory.CreateCompatibleDC(&dc);
      memory.SelectObject(&m_bitmap);
      int32_t source = node->expanded ? m_bitmapSize.cx / 2 : 0;
      dc.BitBlt(rect.left + m_imageLeft, rect.bottom - height, width, height, &memory, source,
                m_bitmapSize.cy - height, SRCCOPY);
    }
    content.left += m_textIndent - m_imageLeft;
  }
  m_owner->DrawRowContent(&dc, content, node);
  if (node->selected) {
    RECT inverted;
    ::IntersectRect(&inverted, &content, &rect);
    ::InvertRect(dc, &inverted);
  }
}

void COutlineList::DrawFrame(CDC& dc) {
  RECT client;
  GetClientRect(&client);
  int32_t w = client.right;
  int32_t h = client.bottom;
  COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  dc.FillSolidRect(RECT{0, 0, w, 1}, shadow);
  dc.FillSolidRect(RECT{0, 0, 1, h}, shadow);
  dc.FillSolidRect(RECT{1, 1, w - 1, 2}, RGB(0, 0, 0));
  dc.FillSolidRect(RECT{1, 1, 2, h - 1}, RGB(0, 0, 0));
  dc.FillSolidRect(RECT{w - 1, 0, w, h}, RGB(255, 255, 255));
  dc.FillSolidRect(RECT{0, h - 1, w, h}, RGB(255, 255, 255));
}

int32_t COutlineList::HitTest(POINT point) const {
  return m_rows.HitTest(point.y, m_inset, m_rowHeight, m_vert.position);
}

void COutlineList::OnLButtonDown(UINT, POINT point) {
  int32_t row = HitTest(point);
  COutlineNode* node = m_rows.Node(row);
  if (!node) {
    return;
  }
  int32_t x = point.x - m_inset + m_horz.position;
  switch (OutlineRowModel::PressImage(node, x, m_imageLeft, m_textIndent)) {
    case OutlineRowModel::Toggle::kExpanded:
      m_owner->OnExpanded(node);
      RedrawRow(row);
      return;
    case OutlineRowModel::Toggle::kCollapsed:
      m_owner->OnCollapsed(node);
      RedrawRow(row);
      return;
    case OutlineRowModel::Toggle::kNone:
      return;
    case OutlineRowModel::Toggle::kNotOnImage:
      break;
  }
  SetCapture();
  m_pressed = true;
  m_pressedRow = row;
  SelectRow(row);
}

void COutlineList::OnMouseMove(UINT, POINT point) {
  if (m_pressed) {
    int32_t row = HitTest(point);
    if (row >= 0) {
      SelectRow(row);
    }
  }
}

void COutlineList::OnLButtonUp(UINT, POINT point) {
  if (!m_pressed) {
    return;
  }
  m_pressed = false;
  ::ReleaseCapture();
  if (HitTest(point) == m_pressedRow) {
    ReportRow(point, &COutlineCtrl::OnClicked);
  }
}

void COutlineList::ReportRow(POINT point, Report report) {
  COutlineNode* node = m_rows.Node(HitTest(point));
  if (!node || node->IsFullWidth()) {
    return;
  }
  POINT screen = point;
  ClientToScreen(&screen);
  (m_owner->*report)(node, screen.x, screen.y);
}

void COutlineList::OnLButtonDblClk(UINT, POINT point) {
  ReportRow(point, &COutlineCtrl::OnDoubleClicked);
}

void COutlineList::OnRButtonDown(UINT, POINT point) {
  ReportRow(point, &COutlineCtrl::OnRightButtonDown);
}

void COutlineList::OnRButtonDblClk(UINT, POINT point) {
  ReportRow(point, &COutlineCtrl::OnRightDoubleClicked);
}

// ---- Read-out -----------------------------------------------------------------

LRESULT COutlineList::OnGetCount(WPARAM, LPARAM) { return m_rows.Count(); }

LRESULT COutlineList::OnGetTextLength(WPARAM row, LPARAM) {
  COutlineNode* node = m_rows.Node(static_cast<int32_t>(row));
  return node ? static_cast<LRESULT>(m_owner->RowText(node).size()) : LB_ERR;
}

// The buffer must hold LB_GETTEXTLEN characters and the terminator, as for
// a list box.
LRESULT COutlineList::OnGetText(WPARAM row, LPARAM buffer) {
  COutlineNode* node = m_rows.Node(static_cast<int32_t>(row));
  if (!node || !buffer) return LB_ERR;
  const std::string text = m_owner->RowText(node);
  char* out = reinterpret_cast<char*>(buffer);
  std::copy(text.begin(), text.end(), out);
  out[text.size()] = '\0';
  return static_cast<LRESULT>(text.size());
}

LRESULT COutlineList::OnGetItemData(WPARAM row, LPARAM) {
  COutlineNode* node = m_rows.Node(static_cast<int32_t>(row));
  return node ? static_cast<LRESULT>(m_owner->RowFlags(node)) : LB_ERR;
}

LRESULT COutlineList::OnGetCurrentSelection(WPARAM, LPARAM) {
  return m_rows.SelectedRow() >= 0 ? m_rows.SelectedRow() : LB_ERR;
}

LRESULT COutlineList::OnGetTopIndex(WPARAM, LPARAM) { return m_vert.position; }

LRESULT COutlineList::OnGetItemHeight(WPARAM, LPARAM) { return m_rowHeight; }
