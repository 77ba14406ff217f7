#include "CParticipateWnd.h"

#include "CPaintDC.h"
#include "ModuleState.h"
#include "ParticipateBlink.h"

namespace {

constexpr UINT kCaptionText = 349;
constexpr COLORREF kUpFace = RGB(0, 0, 128);
constexpr COLORREF kLitFace = RGB(255, 204, 0);
constexpr COLORREF kDownFace = RGB(0, 0, 64);

}  // namespace

BEGIN_MESSAGE_MAP(CParticipateWnd, CHotWnd)
  ON_WM_TIMER()
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

bool CParticipateWnd::Create(CWnd* parent, const RECT& rect) {
  if (!CHotWnd::Create(parent, rect.left, rect.top, rect.right, rect.bottom, kCommand, false, 0)) return false;
  ShowWindow(SW_HIDE);
  ::SetWindowLongA(m_hWnd, GWL_STYLE, ::GetWindowLongA(m_hWnd, GWL_STYLE) | WS_CLIPSIBLINGS);
  SetWindowText(AfxLoadString(kCaptionText));
  return true;
}

void CParticipateWnd::ShowTimed(bool on) {
  if (!m_hWnd) return;
  if (on) {
    ShowWindow(SW_SHOW);
    if (m_timer == 0) m_timer = SetTimer(kBlinkTimer, kBlinkMs);
    return;
  }
  if (m_timer != 0) KillTimer(m_timer);
  m_timer = 0;
  ShowWindow(SW_HIDE);
}

void CParticipateWnd::OnTimer(UINT_PTR id) {
  if (id != kBlinkTimer) return;
  const int state = GetState();
  const int next = ParticipateBlink::NextState(state);
  if (next != state) SetState(next);
}

// Without pictures the caption is drawn on a face that shows the state.
void CParticipateWnd::OnPaint() {
  if (HasPicture(GetState())) {
    CHotWnd::OnPaint();
    return;
  }
  CPaintDC dc(this);
  RECT client{};
  GetClientRect(&client);
  const int state = GetState();
  const COLORREF face = state == kThird ? kLitFace : state == kDown ? kDownFace : kUpFace;
  dc.FillSolidRect(client, state == kDisabled ? ::GetSysColor(COLOR_BTNFACE) : face);
  ::DrawEdge(dc.m_hDC, &client, state == kDown ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(state == kThird ? RGB(0, 0, 0) : state == kDisabled ? ::GetSysColor(COLOR_GRAYTEXT)
                                                                      : RGB(255, 255, 255));
  dc.SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
  dc.DrawText(GetWindowText(), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void CParticipateWnd::OnDestroy() {
  if (m_timer != 0) KillTimer(m_timer);
  m_timer = 0;
  CHotWnd::OnDestroy();
}
