#include "CChatWnd.h"

#include "ModuleState.h"

bool CChatWnd::CreateFrame(const RECT& rect, const char* title) {
  return Create(nullptr, title, WS_OVERLAPPEDWINDOW, rect, nullptr, 0);
}

// "ZRFrame" is the framework's frame class under the client's own name, with
// the resource library's icon.
bool CChatWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  const char* base = RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                      ::LoadCursorA(nullptr, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kResourceId));
  if (!base || !RegisterClassCopy(base, kClassName, icon)) return false;
  cs.lpszClass = kClassName;
  return true;
}
