#include "CTextItemList.h"

#include <cstring>

BEGIN_MESSAGE_MAP(CTextItemList, CItemListWnd)
  ON_MESSAGE(LB_GETCOUNT, OnGetCount)
  ON_MESSAGE(LB_GETTEXTLEN, OnGetTextLength)
  ON_MESSAGE(LB_GETTEXT, OnGetText)
  ON_MESSAGE(LB_GETCURSEL, OnGetSelection)
  ON_MESSAGE(LB_GETTOPINDEX, OnGetTopRow)
  ON_MESSAGE(LB_GETITEMHEIGHT, OnGetRowHeight)
END_MESSAGE_MAP()

void CTextItemList::SetRowHandlers(RowHandler onSelect, RowHandler onActivate) {
  m_onSelect = std::move(onSelect);
  m_onActivate = std::move(onActivate);
}

int32_t CTextItemList::RowOf(const void* object) const {
  for (int32_t row = 0; row < GetCount(); ++row) {
    if (GetItemObject(row) == object) return row;
  }
  return -1;
}

void CTextItemList::SelectRow(int32_t row) {
  if (row >= 0 && row < GetCount()) Select(row);
}

void CTextItemList::ClearSelection() {
  const int32_t row = GetSelected();
  if (row < 0) return;
  GetItemRecord(row)->selected = 0;
  Redraw();
}

void CTextItemList::OnClicked(void* object, int32_t, int32_t) {
  if (m_onSelect) m_onSelect(RowOf(object));
}

void CTextItemList::OnDoubleClicked(void* object, int32_t, int32_t) {
  if (m_onActivate) m_onActivate(RowOf(object));
}

LRESULT CTextItemList::OnGetCount(WPARAM, LPARAM) { return GetCount(); }

LRESULT CTextItemList::OnGetTextLength(WPARAM row, LPARAM) {
  if (!HasRow(row)) return LB_ERR;
  return static_cast<LRESULT>(RowText(GetItemObject(static_cast<int32_t>(row))).size());
}

// The caller's buffer holds LB_GETTEXTLEN characters and a terminating 0.
LRESULT CTextItemList::OnGetText(WPARAM row, LPARAM buffer) {
  if (!HasRow(row) || !buffer) return LB_ERR;
  const std::string text = RowText(GetItemObject(static_cast<int32_t>(row)));
  std::memcpy(reinterpret_cast<char*>(buffer), text.c_str(), text.size() + 1);
  return static_cast<LRESULT>(text.size());
}

LRESULT CTextItemList::OnGetSelection(WPARAM, LPARAM) {
  const int32_t selected = GetSelected();
  return selected < 0 ? LB_ERR : selected;
}

LRESULT CTextItemList::OnGetTopRow(WPARAM, LPARAM) { return GetTopRow(); }

LRESULT CTextItemList::OnGetRowHeight(WPARAM, LPARAM) { return RowHeight(); }
