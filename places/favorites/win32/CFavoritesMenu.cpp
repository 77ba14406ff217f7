#include "CFavoritesMenu.h"

#include <utility>

#include "CListEntry.h"
#include "CTextListFile.h"

namespace {

const CListEntry* EntryOf(ULONG_PTR itemData) { return reinterpret_cast<const CListEntry*>(itemData); }

SIZE TextSize(HDC dc, const std::string& text) {
  SIZE size = {0, 0};
  const HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  return size;
}

}  // namespace

CFavoritesMenu::CFavoritesMenu(const CTextListFile& list, SelectNotice onSelect)
    : m_list(list), m_onSelect(std::move(onSelect)) {}

void CFavoritesMenu::Rebuild(HMENU menu) const {
  for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
    if (GetMenuItemID(menu, position) == kGoToFavorite) RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
  }
  for (int i = 0; i < m_list.GetCount(); ++i)
    AppendMenuA(menu, MF_OWNERDRAW, kGoToFavorite, reinterpret_cast<LPCSTR>(m_list.GetAt(i)));
}

HMENU CFavoritesMenu::LoadPopup(HINSTANCE resources, HMENU* popup) const {
  HMENU bar = LoadMenuA(resources, MAKEINTRESOURCEA(kFavoritesMenu));
  if (!bar) return nullptr;
  *popup = GetSubMenu(bar, 0);
  if (!*popup) {
    DestroyMenu(bar);
    return nullptr;
  }
  Rebuild(*popup);
  return bar;
}

bool CFavoritesMenu::Track(HINSTANCE resources, HWND owner, int x, int y) const {
  HMENU popup = nullptr;
  HMENU bar = LoadPopup(resources, &popup);
  if (!bar) return false;
  const BOOL tracked = TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
  DestroyMenu(bar);
  return tracked != FALSE;
}

bool CFavoritesMenu::MeasureItem(MEASUREITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU || item.itemID != kGoToFavorite || !item.itemData) return false;
  HDC dc = GetDC(nullptr);
  const SIZE size = TextSize(dc, EntryOf(item.itemData)->GetMenuText());
  ReleaseDC(nullptr, dc);
  item.itemWidth = static_cast<UINT>(size.cx + (m_alternativeLook ? 0 : CheckWidth()));
  item.itemHeight = static_cast<UINT>(size.cy);
  return true;
}

bool CFavoritesMenu::DrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_MENU || item.itemID != kGoToFavorite || !item.itemData) return false;
  const CListEntry* entry = EntryOf(item.itemData);
  const bool selected = (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0 && (item.itemState & ODS_SELECTED) != 0;
  const int back = selected ? COLOR_HIGHLIGHT : COLOR_MENU;
  const int fore = selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(back));
  if (selected) {
    m_currentAddress = entry->GetAddress();
    if (m_onSelect) m_onSelect(m_currentAddress);
  }
  const std::string text = entry->GetMenuText();
  RECT textRect = item.rcItem;
  textRect.left += CheckWidth() + (m_alternativeLook ? kAlternativeIndent : 0);
  const HGDIOBJ oldFont = SelectObject(item.hDC, GetStockObject(DEFAULT_GUI_FONT));
  const COLORREF oldText = SetTextColor(item.hDC, GetSysColor(fore));
  const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
  DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &textRect,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  SetBkMode(item.hDC, oldMode);
  SetTextColor(item.hDC, oldText);
  SelectObject(item.hDC, oldFont);
  return true;
}

int CFavoritesMenu::CheckWidth() const { return GetSystemMetrics(SM_CXMENUCHECK); }
