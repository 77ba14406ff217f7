#include "CListHeaderWnd.h"

#include "CClientDC.h"
#include "CItemListWnd.h"
#include "CPaintDC.h"

namespace {
// Registered once; every header uses the same class.
const char* HeaderClass() {
  static const char* name =
      CWnd::RegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
  return name;
}
}  // namespace

BEGIN_MESSAGE_MAP(CListHeaderWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

bool CListHeaderWnd::Create(CItemListWnd* list, CFont* font, const RECT& rect) {
  m_list = list;
  m_font = font;
  return CreateEx(0, HeaderClass(), "", WS_CHILD | WS_VISIBLE, rect, list, 0);
}

void CListHeaderWnd::AddColumn(int32_t key, const std::string& caption) {
  CClientDC dc(this);
  dc.SelectObject(m_font);
  std::string text = ListHeaderModel::PaddedCaption(caption);
  m_model.Add(key, caption, dc.GetTextExtent(text).cx, dc.GetTextExtent("  ").cx);
  RECT client;
  GetClientRect(&client);
  m_model.Layout(client.right, client.bottom);
  Invalidate();
}

void CListHeaderWnd::OnSize(UINT, int cx, int cy) {
  m_model.Layout(cx, cy);
  Invalidate();
}

RECT CListHeaderWnd::ShiftedRect(const ListColumn& column) const {
  int32_t shift = m_list->HorizontalPosition();
  bool last = &column == &m_model.Columns().back();
  return RECT{column.left - shift, column.top, last ? column.right : column.right - shift,
              column.bottom};
}

int32_t CListHeaderWnd::ColumnAt(POINT point) const {
  RECT client;
  GetClientRect(&client);
  if (point.y < 0 || point.y >= client.bottom) {
    return -1;
  }
  for (size_t i = 0; i < m_model.Columns().size(); ++i) {
    RECT rect = ShiftedRect(m_model.Columns()[i]);
    if (point.x >= rect.left && point.x < rect.right) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

void CListHeaderWnd::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  dc.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
  dc.SelectObject(m_font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  for (const auto& column : m_model.Columns()) {
    DrawColumn(dc, column);
  }
}

void CListHeaderWnd::DrawColumn(CDC& dc, const ListColumn& column) {
  RECT rect = ShiftedRect(column);
  dc.DrawText(column.text, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  RECT outer{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
  if (column.state == 0) {
    dc.Draw3dRect(outer, ::GetSysColor(COLOR_BTNSHADOW), face);
  } else {
    dc.Draw3dRect(outer, RGB(255, 255, 255), face);
    RECT inner{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
    dc.Draw3dRect(inner, face, face);
  }
  dc.FillSolidRect(RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, RGB(0, 0, 0));
  dc.FillSolidRect(RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, RGB(0, 0, 0));
}

void CListHeaderWnd::RedrawColumn(int32_t column) {
  CClientDC dc(this);
  const ListColumn& drawn = m_model.Columns()[static_cast<size_t>(column)];
  RECT rect = ShiftedRect(drawn);
  dc.FillSolidRect(rect, ::GetSysColor(COLOR_BTNFACE));
  dc.SelectObject(m_font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
  DrawColumn(dc, drawn);
}

void CListHeaderWnd::OnLButtonDown(UINT, POINT point) {
  int32_t column = ColumnAt(point);
  if (m_model.Press(column)) {
    SetCapture();
    RedrawColumn(column);
  }
}

void CListHeaderWnd::OnMouseMove(UINT, POINT point) {
  int32_t pressed = m_model.Pressed();
  if (pressed >= 0 && m_model.Track(ColumnAt(point) == pressed)) {
    RedrawColumn(pressed);
  }
}

void CListHeaderWnd::OnLButtonUp(UINT, POINT point) {
  int32_t pressed = m_model.Pressed();
  if (pressed < 0) {
    return;
  }
  ::ReleaseCapture();
  int32_t released = m_model.Release(ColumnAt(point) == pressed);
  RedrawColumn(pressed);
  if (released >= 0) {
    m_list->ChooseSortColumn(m_model.Columns()[static_cast<size_t>(released)].key);
  }
}
