#include "CNetscapeItem.h"

#include "CNetscapeEcho.h"

// {61D8DE20-CA9A-11CE-9EA5-0080C82BE3B6}
const CLSID CNetscapeItem::kClassId = {0x61D8DE20, 0xCA9A, 0x11CE, {0x9E, 0xA5, 0x00, 0x80, 0xC8, 0x2B, 0xE3, 0xB6}};

namespace {

constexpr const char* kStatusBarClasses[] = {"Afx:400000:3028", "Afx:3028", "msctls_statusbar32"};

BOOL CALLBACK FindStatusBarChild(HWND window, LPARAM found) {
  char className[64] = {};
  ::GetClassNameA(window, className, sizeof className);
  for (const char* statusBarClass : kStatusBarClasses) {
    if (::lstrcmpA(className, statusBarClass) != 0) continue;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void CNetscapeItem::OnChange(UINT code, DWORD parameter) {
  COleClientItem::OnChange(code, parameter);
  if (code == kChanged && parameter == DVASPECT_CONTENT && ::IsWindow(m_view))
    ::PostMessageA(m_view, CNetscapeEcho::kContentChanged, 0, 0);
}

HWND CNetscapeItem::FindStatusBar() const {
  const HWND item = GetItemWindow();
  HWND found = nullptr;
  if (item) ::EnumChildWindows(item, FindStatusBarChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

void CNetscapeItem::FitClientRect(RECT& rect) const {
  rect = RECT{};
  ::GetClientRect(m_view, &rect);
  const HWND statusBar = FindStatusBar();
  if (!statusBar) return;
  const LONG_PTR style = ::GetWindowLongPtrA(statusBar, GWL_STYLE);
  if (style & WS_HSCROLL) rect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
  if (style & WS_VSCROLL) rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
}
