#include "CLocationBar.h"

#include <algorithm>

#include "CDC.h"
#include "CPaintDC.h"
#include "IPageFrameHost.h"
#include "ModuleState.h"

namespace {

std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

BEGIN_MESSAGE_MAP(CLocationBar, CDialog)
  ON_BN_CLICKED(CLocationBar::kGoToId, OnGoTo)
  ON_CONTROL(CBN_SELCHANGE, CLocationBar::kAddressId, OnSelChange)
  ON_CONTROL(CBN_EDITCHANGE, CLocationBar::kAddressId, OnEditChange)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

bool CLocationBar::Create(CWnd* parent) {
  if (!CDialog::Create(kTemplateId, parent)) return false;
  ShowWindow(SW_SHOW);
  return true;
}

// The label is painted by the bar; its control only keeps the width, made
// wide enough for the text.
bool CLocationBar::OnInitDialog() {
  CDialog::OnInitDialog();
  m_label = AfxLoadString(kLocationText, "Location") + ":";
  SetDlgItemText(kLabelId, m_label);
  HWND label = ::GetDlgItem(m_hWnd, kLabelId);
  if (label) {
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, m_label.c_str(), static_cast<int>(m_label.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    RECT rect{};
    ::GetWindowRect(label, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    if (extent.cx > rect.right - rect.left)
      ::SetWindowPos(label, nullptr, 0, 0, extent.cx, rect.bottom - rect.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(label, SW_HIDE);
  }
  m_host.RegisterIdleWindow(m_hWnd);
  return true;
}

void CLocationBar::OnDestroy() {
  m_host.UnregisterIdleWindow(m_hWnd);
  Default();
}

// The application's background picture around the address field.
BOOL CLocationBar::OnEraseBkgnd(CDC* dc) {
  RECT client{};
  GetClientRect(&client);
  RECT combo{};
  ::GetWindowRect(Combo(), &combo);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&combo), 2);
  const int saved = ::SaveDC(dc->m_hDC);
  ::ExcludeClipRect(dc->m_hDC, combo.left, combo.top, combo.right, combo.bottom);
  const bool drawn = m_host.DrawBackground(dc->m_hDC, client);
  ::RestoreDC(dc->m_hDC, saved);
  return drawn ? TRUE : static_cast<BOOL>(Default());
}

void CLocationBar::SetLabel(const std::string& text) {
  if (text == m_label) return;
  m_label = text;
  SetDlgItemText(kLabelId, text);
  Invalidate();
}

void CLocationBar::SetLocation(const std::string& url) {
  SetLabel(AfxLoadString(kLocationText, "Location") + ":");
  m_address = url;
  SetDlgItemText(kAddressId, m_address);
  if (m_addToList && !IsInList()) {
    ::SendMessageA(Combo(), CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(m_address.c_str()));
    ::SendMessageA(Combo(), CB_SETCURSEL, 0, 0);
    m_addToList = false;
  }
}

bool CLocationBar::IsInList() const {
  auto listed = [this](const std::string& text) {
    return ::SendMessageA(Combo(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                          reinterpret_cast<LPARAM>(text.c_str())) != CB_ERR;
  };
  if (listed(m_address)) return true;
  return !m_address.empty() && m_address.back() == '/' && listed(m_address.substr(0, m_address.size() - 1));
}

void CLocationBar::OnNewLocation(const std::string& url, bool addToList) {
  if (url != m_address) {
    m_addToList = addToList;
    SetLocation(url);
    Go(false);
    return;
  }
  SetDlgItemText(kAddressId, m_address);
}

void CLocationBar::Go(bool readField) {
  if (readField) m_address = GetDlgItemText(kAddressId);
  const std::string address = Trimmed(m_address);
  if (address.empty()) return;
  m_host.OpenPage(address);
}

void CLocationBar::OnGoTo() {
  m_addToList = true;
  Go(true);
}

void CLocationBar::OnOK() { OnGoTo(); }

void CLocationBar::OnSelChange() {
  const LRESULT selected = ::SendMessageA(Combo(), CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return;
  const LRESULT length = ::SendMessageA(Combo(), CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  ::SendMessageA(Combo(), CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text.data()));
  text.resize(::lstrlenA(text.c_str()));
  ::SendMessageA(Combo(), CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SetDlgItemText(kAddressId, text);
  Go(true);
}

void CLocationBar::OnEditChange() { SetLabel(AfxLoadString(kGoToText, "Go To:")); }

// The bar stands beside the indicator, as high as it; the address field
// takes the width the label and the button leave.
void CLocationBar::Layout(int frameWidth, int indicatorWidth, int indicatorHeight) {
  RECT labelRect{};
  ::GetWindowRect(::GetDlgItem(m_hWnd, kLabelId), &labelRect);
  RECT buttonRect{};
  const HWND button = ::GetDlgItem(m_hWnd, kGoToId);
  ::GetWindowRect(button, &buttonRect);
  RECT comboRect{};
  ::GetWindowRect(Combo(), &comboRect);
  const int labelWidth = labelRect.right - labelRect.left;
  const int buttonWidth = buttonRect.right - buttonRect.left;
  const int comboHeight = comboRect.bottom - comboRect.top;
  const int barHeight = std::max(indicatorHeight, comboHeight + 4);
  m_labelHeight = barHeight;
  const int flags = SWP_NOZORDER | SWP_NOACTIVATE;
  ::SetWindowPos(m_hWnd, nullptr, indicatorWidth, 0, std::max(0, frameWidth - indicatorWidth), barHeight, flags);
  const int comboWidth = std::max(0, frameWidth - labelWidth - indicatorWidth - 2 - buttonWidth - 4);
  ::SetWindowPos(Combo(), nullptr, labelWidth + 3, 2, comboWidth, 5 * barHeight - 2, flags);
  ::SetWindowPos(button, nullptr, labelWidth + 3 + comboWidth + 2, 1, buttonWidth, barHeight - 2, flags);
}

void CLocationBar::OnPaint() {
  CPaintDC dc(this);
  RECT label{};
  ::GetWindowRect(::GetDlgItem(m_hWnd, kLabelId), &label);
  RECT text{1, 0, 1 + (label.right - label.left), m_labelHeight};
  ::SetBkMode(dc.m_hDC, TRANSPARENT);
  HGDIOBJ old = ::SelectObject(dc.m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
  ::DrawTextA(dc.m_hDC, m_label.c_str(), static_cast<int>(m_label.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  ::SelectObject(dc.m_hDC, old);
}
