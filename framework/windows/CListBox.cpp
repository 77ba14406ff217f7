#include "CListBox.h"

IMPLEMENT_DYNAMIC(CListBox, CWnd)

BEGIN_MESSAGE_MAP(CListBox, CWnd)
  ON_WM_DRAWITEM_REFLECT()
  ON_WM_MEASUREITEM_REFLECT()
  ON_WM_COMPAREITEM_REFLECT()
END_MESSAGE_MAP()

int CListBox::AddString(const std::string& text) {
  return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CListBox::GetCount() const {
  return static_cast<int>(SendMessage(LB_GETCOUNT));
}

int CListBox::GetCurSel() const {
  return static_cast<int>(SendMessage(LB_GETCURSEL));
}

int CListBox::SetCurSel(int index) {
  return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
}

std::string CListBox::GetText(int index) const {
  LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length == LB_ERR) {
    return {};
  }
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

int CListBox::FindString(int startAfter, const std::string& prefix) const {
  return static_cast<int>(
      SendMessage(LB_FINDSTRING, static_cast<WPARAM>(startAfter), reinterpret_cast<LPARAM>(prefix.c_str())));
}

int CListBox::DeleteString(int index) {
  return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(index)));
}

DWORD_PTR CListBox::GetItemData(int index) const {
  return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
  return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data)));
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) {
  return 0;
}
