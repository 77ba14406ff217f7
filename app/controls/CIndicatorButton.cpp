#include "CIndicatorButton.h"

#include <algorithm>

#include "CPaintDC.h"
#include "CWinApp.h"
#include "IAppUi.h"

namespace {

// The page's top edge is this far below the indicator's bottom edge.
constexpr int kPageGap = 65;

}  // namespace

BEGIN_MESSAGE_MAP(CIndicatorButton, CBitmapStripWnd)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CIndicatorButton::CIndicatorButton(UINT menuId) : m_menuId(menuId) {}

void CIndicatorButton::SetState(UINT state) {
  if (state == kHidePeople) {
    // The resource library has no string 4: the status line drops its timed
    // text and shows the lasting one.
    AppUi().ShowStatusString(kHidePeople, true);
    return;
  }
  if (state == kParticipating) {
    if (m_frame != kParticipating) {
      CWnd* main = AfxGetMainWnd();
      if (main) main->PostMessage(kReplayDdeMessage, 0, 0);
    }
    if (!AppUi().IsMyselfInRootPlace()) state = kObserving;
  }
  m_frame = ClampFrame(state);
  // The people text knows only the stored states.
  AppUi().SetPeopleStatus(m_frame);
  Redraw();
}

int CIndicatorButton::Create(CWnd* parent, UINT bitmapId, UINT stateCount) {
  if (!LoadStrip(bitmapId, stateCount)) return -1;
  m_bitmapId = bitmapId;
  m_frameSize = SIZE{FrameWidth(), GetBitmapSize().cy};
  if (!CreateStripWindow(parent, POINT{0, 0}, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, nullptr,
                         GRAY_BRUSH, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0)) {
    return -1;
  }
  if (!m_menuId) return 0;
  return m_menu.LoadMenu(m_menuId) ? 1 : -1;
}

void CIndicatorButton::ShowFrameOnce(UINT frame) {
  UINT state = m_frame;
  m_frame = ClampFrame(frame);
  Redraw();
  m_frame = state;
}

void CIndicatorButton::PlaceAtPageOrigin() {
  POINT origin{};
  if (!m_hWnd || !AppUi().GetPageOrigin(origin)) return;
  SetWindowPos(nullptr, origin.x, origin.y - m_frameSize.cy - kPageGap, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CIndicatorButton::Redraw() {
  if (!m_hWnd) return;
  Invalidate(true);
  UpdateWindow();
}

void CIndicatorButton::OnPaint() {
  CPaintDC dc(this);
  PaintFrameFromPicture(dc, m_bitmapId);
}

void CIndicatorButton::OnLButtonDown(UINT, POINT) {
  IAppUi& app = AppUi();
  if (app.AreMainWindowsDisabled()) return;
  bool inPlace = m_frame == kParticipating || m_frame == kObserving;
  if (inPlace && app.IsMyselfInRootPlace() && !app.IsZoomRunning()) app.ToggleObserve();
}

void CIndicatorButton::OnRButtonDown(UINT, POINT) {
  CWnd* main = AfxGetMainWnd();
  CMenu* popup = m_menu.m_hMenu ? m_menu.GetSubMenu(0) : nullptr;
  if (AppUi().AreMainWindowsDisabled() || !popup || !main) return;
  RECT rect;
  GetWindowRect(&rect);
  popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rect.left, rect.bottom, main);
}
