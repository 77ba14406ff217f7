#include "CPageFloatWnd.h"

#include "CPaneDlg.h"
#include "CWinApp.h"
#include "IPaneContainer.h"
#include "ModuleState.h"

namespace {

constexpr UINT kFrameIcon = 128;
// Make Tab buttons: the broadcast page's and every other page's.
constexpr int kBroadcastMakeTab = 1122;
constexpr int kMakeTab = 1113;

const char* FrameClass() {
  static const char* name = CWnd::RegisterWndClass(
      CS_HREDRAW | CS_VREDRAW, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)),
      ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kFrameIcon)));
  return name;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageFloatWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_CLOSE()
END_MESSAGE_MAP()

bool CPageFloatWnd::Create() {
  if (m_firstTime) PlaceFirstFrame();
  m_firstTime = false;
  const RECT& place = m_pane->FloatRect();
  if (!CreateEx(0, FrameClass(), m_pane->GetTitle().c_str(), WS_OVERLAPPEDWINDOW, place,
                AfxGetMainWnd(), 0)) {
    return false;
  }
  ::SetParent(m_pane->m_hWnd, m_hWnd);
  m_pane->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  // The float rectangle is in screen coordinates; inside the frame the pane
  // fills the client area.
  RECT client;
  GetClientRect(&client);
  m_pane->SetWindowRect(client);
  ShowWindow(SW_SHOW);
  return true;
}

// The container decides where a page's first frame goes.
void CPageFloatWnd::PlaceFirstFrame() {
  IPaneContainer* container = CPaneDlg::Container();
  if (!container) return;
  POINT position{};
  SIZE size{};
  container->GetFloatFrameSize(position, size);
  m_pane->FloatRect() = RECT{position.x, position.y, position.x + size.cx, position.y + size.cy};
}

void CPageFloatWnd::Dock() {
  if (!m_hWnd) return;
  ShowWindow(SW_HIDE);
  IPaneContainer* container = CPaneDlg::Container();
  CWnd* dockParent = container ? container->GetDockParent() : m_pane->m_pParentWnd;
  ::SetParent(m_pane->m_hWnd, dockParent ? dockParent->m_hWnd : nullptr);
  DestroyWindow();
  if (!container) return;
  container->FitPage(m_pane);
  container->DockPage(m_pane);
}

void CPageFloatWnd::OnSize(UINT type, int cx, int cy) {
  Default();
  if (type == SIZE_MINIMIZED || ::GetParent(m_pane->m_hWnd) != m_hWnd) return;
  m_pane->SetWindowRect(RECT{0, 0, cx, cy});
}

void CPageFloatWnd::OnSetFocus(CWnd*) {
  Default();
  m_pane->SetHighlight(false);
  m_pane->OnPaneFocus();
  if (IPaneContainer* container = CPaneDlg::Container()) container->HighlightPage(m_pane, false);
}

// Closing the frame never ends the page: an instant message goes back to
// its tab, any other page is docked through its Make Tab button.
void CPageFloatWnd::OnClose() {
  if (m_pane->GetKind() == CPaneDlg::kInstantMessageKind) {
    if (IPaneContainer* container = CPaneDlg::Container()) {
      container->SelectPageFor(m_pane->GetTargetId());
    }
    return;
  }
  if (m_pane->IsFloating()) ClickMakeTab();
}

void CPageFloatWnd::ClickMakeTab() {
  int id = m_pane->GetKind() == CPaneDlg::kBroadcastKind ? kBroadcastMakeTab : kMakeTab;
  HWND button = ::GetDlgItem(m_pane->m_hWnd, id);
  if (!button) return;
  ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  ::PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}
