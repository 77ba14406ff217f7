#include "CSplashWnd.h"

#include <memory>

#include "AppPalette.h"
#include "CPaintDC.h"
#include "CWinApp.h"
#include "ModuleState.h"

namespace {

constexpr UINT kSplashPicture = 272;
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kHideAfterMs = 10000;

bool g_splashEnabled = false;
CSplashWnd* g_splash = nullptr;

const char* SplashClass() {
  static const char* name = CWnd::RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW));
  return name;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_TIMER()
END_MESSAGE_MAP()

bool CSplashWnd::Create(CWnd* parent) {
  if (!m_picture.LoadResource(AfxGetResourceHandle(), kSplashPicture, -1)) return false;
  RECT rect{0, 0, m_picture.Width(), m_picture.Height()};
  if (!CreateEx(0, SplashClass(), "", WS_POPUP | WS_VISIBLE, rect, parent, 0)) return false;
  UpdateWindow();
  return true;
}

CSplashWnd* CSplashWnd::Current() { return g_splash; }

int CSplashWnd::OnCreate(LPCREATESTRUCT create) {
  int x = (::GetSystemMetrics(SM_CXSCREEN) - create->cx) / 2;
  int y = (::GetSystemMetrics(SM_CYSCREEN) - create->cy) / 2;
  SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetTimer(kHideTimer, kHideAfterMs);
  return 0;
}

void CSplashWnd::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  GetClientRect(&client);
  CAppPalette::Get().Select(&dc);
  m_picture.Draw(&dc, client);
  CAppPalette::Get().Restore(&dc);
}

void CSplashWnd::OnTimer(UINT_PTR) { HideSplash(); }

void CSplashWnd::PostNcDestroy() {
  // Only the splash of the process belongs to its window; an object whose
  // window failed to come up stays with the one that made it.
  if (g_splash != this) return;
  g_splash = nullptr;
  delete this;
}

void EnableSplash(bool enable) { g_splashEnabled = enable; }

void ShowSplash(CWnd* parent) {
  if (!g_splashEnabled || g_splash) return;
  auto splash = std::make_unique<CSplashWnd>();
  if (!splash->Create(parent)) return;
  g_splash = splash.release();
}

void HideSplash() {
  if (!g_splash) return;
  // The window's end deletes the object.
  g_splash->DestroyWindow();
  if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd()) main->UpdateWindow();
}
