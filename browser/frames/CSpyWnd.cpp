#include "CSpyWnd.h"

#include <algorithm>

#include "CBrowser.h"
#include "CLocationBar.h"
#include "CSpyStatusAdapter.h"
#include "CZrUrlText.h"
#include "IPageFrameHost.h"

IMPLEMENT_DYNCREATE(CSpyWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CSpyWnd, CFrameWnd)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CSpyWnd::CSpyWnd() = default;

CSpyWnd::~CSpyWnd() = default;

void CSpyWnd::Activate(IPageFrameHost& host) {
  if (m_host) return;
  m_host = &host;
  ModifyStyle(0, WS_CLIPCHILDREN);
  m_locationBar = std::make_unique<CLocationBar>(host);
  if (!m_locationBar->Create(this)) m_locationBar.reset();
  m_adapter = std::make_unique<CSpyStatusAdapter>(*this);
  m_view = host.OpenBrowserView(*this, *m_adapter);
  Layout();
}

void CSpyWnd::OnSize(UINT, int cx, int cy) { LayoutChildren(cx, cy); }

// The location bar beside the indicator at the top, the view below both;
// attached windows fill the frame.
void CSpyWnd::LayoutChildren(int cx, int cy) {
  for (const AttachedChild& child : m_children)
    ::SetWindowPos(child.window, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
  if (!m_host) return;
  const int indicatorHeight = m_host->GetIndicatorHeight();
  UpdatePageArea(cx, cy, indicatorHeight);
  int top = indicatorHeight;
  if (m_locationBar) {
    m_locationBar->Layout(cx, m_host->GetIndicatorWidth(), indicatorHeight);
    RECT bar{};
    m_locationBar->GetClientRect(&bar);
    top = std::max(top, static_cast<int>(bar.bottom));
  }
  // The view grows by its border on every side; only its top must stay
  // clear of the bar.
  if (m_view && m_view->GetSafeHwnd()) m_view->MoveBrowser(RECT{0, top + 3, cx, std::max(top + 3, cy)});
}

// The page below the bar's band, inside the scroll bars.
void CSpyWnd::UpdatePageArea(int cx, int cy, int indicatorHeight) {
  constexpr int kBarBand = 65;
  m_pageArea.width = cx - ::GetSystemMetrics(SM_CXVSCROLL);
  m_pageArea.height = std::max(0, cy - indicatorHeight - ::GetSystemMetrics(SM_CYHSCROLL) - kBarBand);
  m_pageArea.left = 0;
  m_pageArea.top = indicatorHeight + kBarBand;
}

void CSpyWnd::AttachChild(HWND window, bool attach) {
  if (!attach) {
    for (const AttachedChild& child : m_children)
      if (::IsWindow(child.window)) ::SetParent(child.window, child.formerParent);
    m_children.clear();
    return;
  }
  if (!::IsWindow(window)) return;
  for (const AttachedChild& child : m_children)
    if (child.window == window) return;
  m_children.push_back({window, ::GetParent(window)});
  ::SetParent(window, m_hWnd);
  RECT client{};
  GetClientRect(&client);
  ::SetWindowPos(window, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSpyWnd::ShowChild(HWND window, bool show) {
  const HWND view = m_view ? m_view->GetSafeHwnd() : nullptr;
  if (show) {
    ::ShowWindow(window, SW_SHOW);
    if (view) ::ShowWindow(view, SW_HIDE);
    Layout();
  } else {
    if (view) ::ShowWindow(view, SW_SHOW);
    Layout();
    ::ShowWindow(window, SW_HIDE);
  }
}

// The main window shows the new title with the page's next report.
void CSpyWnd::SetTitle(const std::string& title) {
  m_pageTitle = title;
  SetWindowText(title);
}

void CSpyWnd::Layout() {
  RECT client{};
  GetClientRect(&client);
  LayoutChildren(client.right, client.bottom);
}

void CSpyWnd::GetCurrentUrl(std::string& url) {
  if (m_view) m_view->GetCurrentUrl(url);
}

void CSpyWnd::GetUrls(std::string& url, std::string& title) const {
  url = m_pageUrl;
  title = m_pageTitle;
}

void CSpyWnd::SetRecordNext(int32_t value) {
  if (m_view) m_view->SetRecordNext(value);
}

void CSpyWnd::Navigate(const std::string& url, bool follow) {
  if (follow) m_lastFollowed = url;
  if (m_view) m_view->Navigate(url, 0, "");
}

void CSpyWnd::NavigateForce(const std::string& url) {
  if (m_view) m_view->NavigateForce(url);
}

bool CSpyWnd::Refresh() {
  if (!m_view) return false;
  if (m_locationBar) m_locationBar->SetLocation(m_lastFollowed);
  return m_view->Refresh();
}

void CSpyWnd::Stop() {
  if (!m_view) return;
  m_view->Stop();
  EndLoading(false);
}

bool CSpyWnd::CanGoBack() { return m_view && m_view->CanGoBack(); }

bool CSpyWnd::CanGoForward() { return m_view && m_view->CanGoForward(); }

void CSpyWnd::GoBack() {
  if (m_view) m_view->GoBack();
}

void CSpyWnd::GoForward() {
  if (m_view) m_view->GoForward();
}

// A page now shown: the bar shows it, and a page other than the one
// followed last is followed by the root place.
void CSpyWnd::FollowPage(const std::string& url, const std::string& second) {
  if (url.empty()) return;
  if (second.empty()) m_pageTitle = url;
  if (m_locationBar) m_locationBar->SetLocation(url);
  if (CZrUrlText::UrlsEqualLoose(url, m_lastFollowed)) return;
  m_lastFollowed = url;
  if (!second.empty()) m_pageTitle = second;
  m_host->FollowPage(url);
}

void CSpyWnd::StartLoading() {
  if (m_loading || !m_locationBar) return;
  m_host->SetLoading(true);
  m_loading = true;
}

void CSpyWnd::EndLoading(bool flag) {
  if (m_host) m_host->SetLoading(false);
  m_loading = flag;
}

void CSpyWnd::OnLocation(const std::string& url, const std::string& title, bool final) {
  if (!url.empty()) {
    m_pageUrl = url;
    if (m_pageUrl.back() == '/' || m_pageUrl.back() == '\\') m_pageUrl.pop_back();
  }
  if (title != m_pageTitle) {
    m_pageTitle = title.empty() ? url : title;
    m_host->SetPageTitle(m_pageTitle);
  }
  if (final) m_host->ReportPage(m_pageUrl, m_pageTitle);
}

void CSpyWnd::OnHistoryNavigate(const std::string& url, const std::string& extra) {
  if (m_locationBar) m_locationBar->OnNewLocation(url, !extra.empty());
}
