#include "PlainMainWnd.h"

bool PlainMainWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass) {
    cs.lpszClass = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  }
  return cs.lpszClass != nullptr;
}

void PlainMainWnd::PostNcDestroy() { delete this; }
