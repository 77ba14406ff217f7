#include "CReservedPane.h"

IMPLEMENT_DYNCREATE(CReservedPane, CWnd)

bool CReservedPane::Create(const char*, const char* title, DWORD style, const RECT& rect,
                           CWnd* parent, UINT id, CCreateContext* context) {
  const char* cls = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  return cls && CWnd::Create(cls, title, style | WS_BORDER, rect, parent, id, context);
}
