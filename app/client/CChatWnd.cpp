#include "CChatWnd.h"

#include "ModuleState.h"
#include "ZrMessageBox.h"
#include "ZrMessageText.h"

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

// A posted box is shown by the application's message boxes; without them its
// text is only freed.
LRESULT CChatWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != CZrMessageBox::kShowMessage) return CFrameWnd::WindowProc(message, wParam, lParam);
  if (CZrMessageBox* boxes = CZrMessageBox::Current()) return boxes->OnShowMessage(wParam, lParam);
  CZrMessageText::Free(reinterpret_cast<char*>(lParam));
  return 0;
}
