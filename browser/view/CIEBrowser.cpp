#include "CIEBrowser.h"

#include "CBrowserControl.h"
#include "CIEHostWnd.h"
#include "CIeHostDlg.h"
#include "ZrMessageBox.h"

IMPLEMENT_DYNCREATE(CIEBrowser, CBrowser)

BEGIN_MESSAGE_MAP(CIEBrowser, CBrowser)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CIEBrowser::CIEBrowser() : m_factory([] { return std::make_unique<CBrowserControl>(); }) {}

CIEBrowser::~CIEBrowser() {
  m_host.reset();
  if (m_hostDlg && m_hostDlg->GetSafeHwnd()) m_hostDlg->DestroyWindow();
}

// The control goes before the windows it lives in.
void CIEBrowser::OnDestroy() {
  m_host.reset();
  Default();
}

bool CIEBrowser::Attach(int32_t left, int32_t top, int32_t right, int32_t bottom, HWND) {
  const RECT rect{left, top, right, bottom};
  ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, ::GetWindowLongPtrA(m_hWnd, GWL_STYLE) | kAttachedStyles);
  m_hostDlg = std::make_unique<CIeHostDlg>();
  m_host = std::make_unique<CIEHostWnd>(*this, m_factory());
  bool created = m_hostDlg->Create(this);
  if (created) {
    m_hostDlg->MoveWindow(rect);
    m_hostDlg->ShowWindow(SW_SHOW);
    RECT area{};
    m_hostDlg->GetClientRect(&area);
    created = m_host->Create(m_hostDlg->m_hWnd, area, GetOwner());
  }
  if (!created) {
    m_host.reset();
    MessageBoxIds3Info(kNoControlTitle, kNoControlText, kNoControlTitle);
    return false;
  }
  return true;
}

HWND CIEBrowser::GetControlWindow() const { return m_host ? m_host->GetControlWindow() : nullptr; }

void CIEBrowser::HideScrollBars() {
  const HWND control = GetControlWindow();
  if (!control) return;
  const LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE);
  ::SetWindowLongPtrA(control, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
  ::SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The view takes the rectangle grown by 3 pixels on every side (the
// control's border falls outside the frame); host and control fill it.
void CIEBrowser::MoveBrowser(const RECT& rect) {
  MoveWindow(RECT{rect.left - 3, rect.top - 3, rect.right + 3, rect.bottom + 3});
  FitToView();
}

void CIEBrowser::FitToView() {
  RECT area{};
  GetClientRect(&area);
  if (m_hostDlg && m_hostDlg->GetSafeHwnd()) m_hostDlg->MoveWindow(area);
  if (m_host) m_host->Move(area);
}

void CIEBrowser::Navigate(const std::string& url, int32_t cacheFlag, const std::string&) {
  if (HandleSpecialUrl(url)) return;
  std::string current;
  GetCurrentUrl(current);
  if (!current.empty() && current == url) {
    Refresh();
    return;
  }
  if (m_host) m_host->Navigate(url, cacheFlag == 0);
}

void CIEBrowser::NavigateForce(const std::string& url) { Navigate(url, 1, ""); }

void CIEBrowser::Stop() {
  if (m_host) m_host->Stop();
}

bool CIEBrowser::Refresh() {
  if (m_host) m_host->Refresh();
  return true;
}

void CIEBrowser::GetCurrentUrl(std::string& url) { url = m_host ? m_host->GetCurrentUrl() : std::string(); }

bool CIEBrowser::HandleSpecialUrl(const std::string& url, bool& cancel) {
  cancel = HandleSpecialUrl(url);
  return cancel;
}
