#include "CIEHostWnd.h"

#include "CIEBrowser.h"
#include "IBrowserOwner.h"
#include "ModuleState.h"

CIEHostWnd::CIEHostWnd(CIEBrowser& view, std::unique_ptr<CWebControl> control)
    : m_view(view), m_control(std::move(control)) {}

CIEHostWnd::~CIEHostWnd() = default;

bool CIEHostWnd::Create(HWND parent, const RECT& rect, IBrowserOwner* owner) {
  m_owner = owner;
  m_created = m_control && m_control->Create(parent, rect, kControlStyle, kControlId, *this);
  return m_created;
}

HWND CIEHostWnd::GetControlWindow() const { return m_created ? m_control->Window() : nullptr; }

void CIEHostWnd::Move(const RECT& rect) {
  if (m_created) m_control->Move(rect);
}

void CIEHostWnd::Navigate(const std::string& url, bool noCache) {
  if (m_created) m_control->Navigate(url, noCache);
}

void CIEHostWnd::Stop() {
  if (m_created) m_control->Stop();
}

void CIEHostWnd::Refresh() {
  if (m_created) m_control->Refresh();
}

std::string CIEHostWnd::GetCurrentUrl() const {
  return m_created && m_titleSeen ? m_control->LocationURL() : std::string();
}

bool CIEHostWnd::IsRedirect(const std::string& address) const {
  const std::string text = AfxLoadString(kRedirectText, "redirect");
  return !text.empty() && address.find(text) != std::string::npos;
}

// A special URL is taken and the load cancelled. Otherwise the directory
// window learns the page first (a different page shown now is reloaded
// before, as the service expects), and loading starts.
void CIEHostWnd::OnBeforeNavigate(const std::string& address, bool, bool& cancel) {
  if (m_view.HandleSpecialUrl(address, cancel)) return;
  if (m_owner && m_owner->WantsUrlReports()) {
    const std::string current = GetCurrentUrl();
    if (!current.empty() && current != address) m_view.Refresh();
    m_view.ReportUrl(address);
  }
  m_pendingUrl = address;
  if (m_owner) m_owner->OnDownloadBegin();
}

void CIEHostWnd::OnFrameBeforeNavigate(const std::string& address, bool& cancel) {
  m_view.HandleSpecialUrl(address, cancel);
}

void CIEHostWnd::OnNavigateComplete(const std::string& address) {
  m_pendingUrl.clear();
  if (IsRedirect(address)) return;
  if (m_owner) m_owner->OnNavigated(address, "");
  m_view.AddToHistory(address);
  if (m_owner) m_owner->OnLocation(address, "", false);
  m_locationName.clear();
}

void CIEHostWnd::OnStatusTextChange(const std::string& text) {
  if (m_owner) m_owner->OnStatusText(text);
}

void CIEHostWnd::OnProgressChange(long progress, long maximum) {
  if (maximum == 0) return;
  if (progress == -1) {
    OnDownloadComplete();
    return;
  }
  if (m_owner) m_owner->OnProgress(static_cast<int32_t>(static_cast<int64_t>(progress) * 100 / maximum));
}

void CIEHostWnd::OnDownloadBegin() {
  if (m_owner) m_owner->OnDownloadBegin();
}

// The page's final address and name are reported once per page, and only
// once the control has told a title.
void CIEHostWnd::OnDownloadComplete() {
  CompleteUntoldNavigation();
  if (m_owner) m_owner->OnDownloadComplete(false);
  if (!m_titleSeen || !m_locationName.empty()) return;
  m_locationName = m_control->LocationName();
  const std::string url = m_control->LocationURL();
  if (m_owner) m_owner->OnLocation(url, m_locationName, true);
}

void CIEHostWnd::OnTitleChange(const std::string& title) {
  m_titleSeen = true;
  if (m_owner) m_owner->OnLocation("", title, false);
}

void CIEHostWnd::CompleteUntoldNavigation() {
  if (m_pendingUrl.empty() || m_control->LocationURL() != m_pendingUrl) return;
  const std::string address = m_pendingUrl;
  OnNavigateComplete(address);
}
