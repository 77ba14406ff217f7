#include "CDriveCombo.h"

#include <algorithm>
#include <cctype>

#include "DriveIcons.h"
#include "MessageMap.h"

namespace {

constexpr int kTextLeft = 30;

}  // namespace

BEGIN_MESSAGE_MAP(CDriveCombo, CWnd)
  ON_WM_DRAWITEM_REFLECT()
  ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

// The listing names drives "[-c-]".
std::vector<char> CDriveCombo::ListDrives(CWnd* dialog) {
  std::vector<char> letters;
  HWND listing = ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_HASSTRINGS, 0, 0, 10, 10, dialog->m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListingId)),
                                   ::GetModuleHandleA(nullptr), nullptr);
  if (!listing) return letters;
  ::SendMessageA(listing, LB_DIR, DDL_DRIVES | DDL_EXCLUSIVE, reinterpret_cast<LPARAM>("*"));
  const int count = static_cast<int>(::SendMessageA(listing, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[64] = {};
    if (::SendMessageA(listing, LB_GETTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof text)) continue;
    ::SendMessageA(listing, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    if (text[0] == '[' && text[1] == '-' && std::isalpha(static_cast<unsigned char>(text[2])))
      letters.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(text[2]))));
  }
  ::DestroyWindow(listing);
  return letters;
}

void CDriveCombo::Fill(CWnd* dialog) {
  SendMessage(CB_RESETCONTENT);
  m_texts.clear();
  for (char letter : ListDrives(dialog)) m_texts.emplace_back(1, letter);
  for (const std::string& text : m_texts) SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool CDriveCombo::Select(char letter) {
  letter = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  for (size_t i = 0; i < m_texts.size(); ++i) {
    if (m_texts[i][0] != letter) continue;
    SendMessage(CB_SETCURSEL, i);
    return true;
  }
  return false;
}

void CDriveCombo::MeasureItem(LPMEASUREITEMSTRUCT item) { item->itemHeight = drive_icons::kSize + 2; }

void CDriveCombo::DrawItem(LPDRAWITEMSTRUCT item) {
  if (item->itemID == static_cast<UINT>(-1) || item->itemID >= m_texts.size()) return;
  const char letter = m_texts[item->itemID][0];
  HDC dc = item->hDC;
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  ::FillRect(dc, &item->rcItem, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  const std::string root = std::string(1, letter) + ":\\";
  const int top = item->rcItem.top + (item->rcItem.bottom - item->rcItem.top - drive_icons::kSize) / 2;
  drive_icons::DrawDrive(dc, item->rcItem.left + 2, top, ::GetDriveTypeA(root.c_str()));
  RECT text = item->rcItem;
  text.left += kTextLeft;
  const std::string shown = std::string(" ( ") + letter + ": ) ";
  SIZE size{};
  ::GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &size);
  text.right = std::min<LONG>(text.right, text.left + size.cx);
  ::SetBkColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::ExtTextOutA(dc, text.left, text.top, ETO_OPAQUE, &text, shown.c_str(), static_cast<UINT>(shown.size()),
                nullptr);
}

char CDriveCombo::SelectedLetter() const {
  const LRESULT index = SendMessage(CB_GETCURSEL);
  if (index < 0 || static_cast<size_t>(index) >= m_texts.size()) return 0;
  return m_texts[static_cast<size_t>(index)][0];
}
