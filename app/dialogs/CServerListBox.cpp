#include "CServerListBox.h"

#include "CDC.h"
#include "CFont.h"
#include "CZrServerList.h"
#include "IServerListHost.h"

namespace {

constexpr UINT kMarkBitmap = 267;
constexpr int kMarkLeft = 2;
constexpr int kMarkRight = 18;
constexpr int kTextLeft = 20;
constexpr int kNameGap = 5;
constexpr int kAddressGap = 25;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

}  // namespace

int CServerListBox::AddEntry(int index) {
  const int row = AddString(m_list.At(index).name);
  if (row >= 0) SetItemData(row, static_cast<DWORD_PTR>(index));
  return row;
}

int CServerListBox::FindEntry(int index) const {
  for (int row = 0; row < GetCount(); ++row)
    if (GetItemData(row) == static_cast<DWORD_PTR>(index)) return row;
  return -1;
}

int CServerListBox::GetSelectedEntry() const {
  const int row = GetCurSel();
  return row < 0 ? -1 : static_cast<int>(GetItemData(row));
}

void CServerListBox::DrawItem(LPDRAWITEMSTRUCT item) {
  if (item->itemID == static_cast<UINT>(-1) || !(item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
    return;
  const int index = static_cast<int>(item->itemData);
  if (!m_list.IsShown(index)) return;
  const ZrServerEntry& entry = m_list.At(index);
  const bool marked = entry.current && m_host.IsInPlace();
  HDC dc = item->hDC;
  const int saved = ::SaveDC(dc);
  if (marked) DrawMark(dc, item->rcItem);
  if (CFont* font = m_host.GetListFont(marked)) ::SelectObject(dc, font->m_hObject);

  RECT text = item->rcItem;
  text.left += kTextLeft;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  ::SetBkColor(dc, selected ? ::GetSysColor(COLOR_HIGHLIGHT) : RGB(255, 255, 255));
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &text, nullptr, 0, nullptr);
  const int middle = (text.left + text.right) / 2;
  RECT name = {text.left, text.top, middle - kNameGap, text.bottom};
  RECT address = {middle + kAddressGap, text.top, text.right, text.bottom};
  ::DrawTextA(dc, entry.name.c_str(), static_cast<int>(entry.name.size()), &name, kTextFormat);
  ::DrawTextA(dc, entry.address.c_str(), static_cast<int>(entry.address.size()), &address, kTextFormat);
  ::RestoreDC(dc, saved);
}

void CServerListBox::DrawMark(HDC dc, const RECT& row) {
  if (!m_mark.m_hObject && !m_mark.LoadBitmap(kMarkBitmap)) return;
  const SIZE size = m_mark.GetSize();
  HDC source = ::CreateCompatibleDC(dc);
  HGDIOBJ previous = ::SelectObject(source, m_mark.m_hObject);
  ::StretchBlt(dc, row.left + kMarkLeft, row.top, kMarkRight - kMarkLeft, row.bottom - row.top, source, 0, 0,
               size.cx, size.cy, SRCCOPY);
  ::SelectObject(source, previous);
  ::DeleteDC(source);
}
