#include "CLogoWnd.h"

#include "CPaintDC.h"
#include "ControlResources.h"
#include "IAppUi.h"
#include "ModuleState.h"

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
// The resource library's link cursor.
constexpr UINT kLinkCursor = 258;
// The resource library's product string with the service's home host.
constexpr uint32_t kHomeHostString = 8;
constexpr char kFallbackHomePage[] = "http://www.lumorachat.com/";

}  // namespace

BEGIN_MESSAGE_MAP(CLogoWnd, CBitmapStripWnd)
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_LBUTTONDOWN()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

void CLogoWnd::SetFrame(UINT frame) {
  frame = ClampFrame(frame);
  if (frame == m_frame) return;
  m_frame = frame;
  if (m_hWnd) Invalidate(false);
}

void CLogoWnd::Animate(UINT periodMs, bool hold) {
  if (!m_hWnd) {
    if (hold) SetFrame(0);
    return;
  }
  StopTimer();
  m_counter = 0;
  m_hold = hold;
  m_timerId = SetTimer(kAnimationTimer, periodMs);
}

int CLogoWnd::Create(CWnd* parent, UINT bitmapId, UINT frameCount,
                     const std::string& animationUrl) {
  if (!LoadStrip(bitmapId, frameCount) || animationUrl.empty()) return -1;
  m_bitmapId = bitmapId;
  HCURSOR cursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kLinkCursor));
  bool created = CreateStripWindow(parent, POINT{0, 0}, CS_HREDRAW | CS_VREDRAW, cursor,
                                   LTGRAY_BRUSH, WS_CHILD | WS_CLIPSIBLINGS, 0);
  return created ? 1 : -1;
}

std::string CLogoWnd::HomePage() {
  std::string host = ResourceProductString(kHomeHostString);
  if (host.empty()) return kFallbackHomePage;
  // The library gives a host; the shell opens only a full address.
  return host.find("://") == std::string::npos ? "http://" + host + "/" : host;
}

void CLogoWnd::StopTimer() {
  if (m_timerId) KillTimer(m_timerId);
  m_timerId = 0;
}

void CLogoWnd::OnPaint() {
  CPaintDC dc(this);
  if (m_bitmap && IsWindowVisible()) PaintFrameFromPicture(dc, m_bitmapId);
}

void CLogoWnd::OnTimer(UINT_PTR) {
  if (m_counter >= m_frameCount) m_counter = 0;
  if (m_hold) {
    SetFrame(0);
  } else {
    SetFrame(m_counter++);
  }
}

void CLogoWnd::OnLButtonDown(UINT, POINT) {
  if (AppUi().AreMainWindowsDisabled()) return;
  AppUi().OpenWithShell(HomePage());
}

void CLogoWnd::OnDestroy() {
  StopTimer();
  CBitmapStripWnd::OnDestroy();
}
