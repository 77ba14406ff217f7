#include "ListFont.h"

#include <cstring>

bool CreateListFont(CFont& font) {
  HDC screen = ::GetDC(nullptr);
  int perInch = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  LOGFONTA logFont{};
  logFont.lfHeight = -::MulDiv(8, perInch, 68);
  logFont.lfWeight = FW_NORMAL;
  logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  std::strcpy(logFont.lfFaceName, "Arial");
  return font.CreateFontIndirect(logFont);
}

bool TakePlaceholderRect(CWnd* parent, UINT controlId, RECT& place) {
  HWND placeholder = ::GetDlgItem(parent->GetSafeHwnd(), static_cast<int>(controlId));
  if (!placeholder) {
    return false;
  }
  ::GetWindowRect(placeholder, &place);
  ::MapWindowPoints(nullptr, parent->GetSafeHwnd(), reinterpret_cast<POINT*>(&place), 2);
  ::DestroyWindow(placeholder);
  return true;
}

void ApplyScrollRange(HWND wnd, int bar, ListScrollState& state, int32_t maximum) {
  state.SetMaximum(maximum);
  if (!wnd) {
    return;
  }
  SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS | SIF_DISABLENOSCROLL, 0, state.maximum, 0,
                  state.position, 0};
  ::SetScrollInfo(wnd, bar, &info, TRUE);
}
