#include "CBrowserWnd.h"

#include "CBrowser.h"
#include "CBrowserEventSink.h"
#include "CZrUrlText.h"
#include "IBrowserWndHost.h"
#include "ModuleState.h"

namespace {

// The view's scheme by mode: directory, event management, any other.
constexpr char kDirectoryViewName[] = "ZR";
constexpr char kEventViewName[] = "ZRM";
constexpr char kOtherViewName[] = "ZRS";

}  // namespace

BEGIN_MESSAGE_MAP(CBrowserWnd, CFrameWnd)
  ON_WM_SIZE()
  ON_WM_CLOSE()
  ON_WM_TIMER()
END_MESSAGE_MAP()

CBrowserWnd::CBrowserWnd(IBrowserWndHost& host) : m_host(host) {}

CBrowserWnd::~CBrowserWnd() = default;

bool CBrowserWnd::ViewAlive() const { return m_view && ::IsWindow(m_view->GetSafeHwnd()); }

bool CBrowserWnd::Create(CWnd* mainWindow, int32_t mode, bool attach) {
  if (!CreateEx(0, nullptr, "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, RECT{-1000, -1000, -1000, -1000},
                mainWindow, 0)) {
    delete this;
    return false;
  }
  m_sink = std::make_unique<CBrowserEventSink>(*this, m_host);
  m_view = m_host.CreateView(*this);
  if (m_view) {
    m_view->SetOwner(m_sink.get());
    m_view->SetUrlReport([this](const std::string& url) { SetUrl(url); });
  }
  SetMode(mode);
  RECT client{};
  GetClientRect(&client);
  const bool made = m_view && (attach ? m_view->Attach(client.left, client.top, client.right, client.bottom, m_hWnd)
                                      : m_view->Embed(client.left, client.top, client.right, client.bottom, m_hWnd));
  if (!made) {
    DestroyWindow();
    return false;
  }
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT desktop{};
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  ::SetWindowPos(m_hWnd, nullptr, (desktop.right - desktop.left - kWidth) / 2,
                 (desktop.bottom - desktop.top - kHeight) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (attach) ShowWindow(SW_SHOW);
  return true;
}

void CBrowserWnd::SetMode(int32_t mode) {
  m_mode = mode;
  const char* viewName = kOtherViewName;
  m_title.clear();
  if (mode == kDirectory) {
    m_title = AfxLoadString(kDirectoryTitle);
    viewName = kDirectoryViewName;
  } else if (mode == kEventManagement) {
    m_title = AfxLoadString(kEventTitle);
    viewName = kEventViewName;
  }
  if (m_view) m_view->SetViewName(viewName);
  if (m_hWnd) SetWindowText(m_title);
}

void CBrowserWnd::Navigate(const std::string& url) {
  if (m_view) m_view->Navigate(url, 0, "");
}

void CBrowserWnd::SetUrl(const std::string& url) {
  for (const std::string& known : m_host.GetKnownPageUrls()) {
    if (CZrUrlText::UrlsEqual(url, known)) {
      m_host.SetCurrentPageUrl(url);
      return;
    }
  }
}

void CBrowserWnd::CloseBrowser() {
  if (!GetSafeHwnd()) return;
  ShowWindow(SW_HIDE);
  if (ViewAlive()) m_view->CloseBrowser();
  DestroyWindow();
}

void CBrowserWnd::OnSize(UINT, int cx, int cy) {
  if (ViewAlive()) m_view->MoveBrowser(RECT{0, 0, cx, cy});
}

// Closing only hides the window: its view shows the blank page, and the main
// window comes back.
void CBrowserWnd::OnClose() {
  ShowWindow(SW_HIDE);
  if (ViewAlive()) {
    m_view->Stop();
    m_view->NavigateForce(m_host.GetBlankUrl());
  }
  m_host.ReturnToMainWindow();
}

void CBrowserWnd::OnTimer(UINT_PTR) {
  if (ViewAlive()) m_view->CloseBrowser();
  DestroyWindow();
}
