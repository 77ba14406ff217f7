#include "CNetscapeWWW.h"

#include "CNetscapeEcho.h"
#include "CNetscapeItem.h"
#include "IAppUi.h"
#include "IBrowserOwner.h"
#include "ZrMessageBox.h"

IMPLEMENT_DYNCREATE(CNetscapeWWW, CBrowser)

BEGIN_MESSAGE_MAP(CNetscapeWWW, CBrowser)
  ON_MESSAGE(CNetscapeEcho::kLoadBegan, OnLoadBegan)
  ON_MESSAGE(CNetscapeEcho::kProgressChanged, OnProgressChanged)
  ON_MESSAGE(CNetscapeEcho::kContentChanged, OnContentChanged)
  ON_MESSAGE(CNetscapeEcho::kLocationLearnt, OnLocationLearnt)
  ON_MESSAGE(CNetscapeEcho::kProtocolUrl, OnProtocolUrl)
END_MESSAGE_MAP()

DWORD CNetscapeWWW::s_retryWait = 2000;
int32_t CNetscapeWWW::s_liveViews = 0;
bool CNetscapeWWW::s_processEnded = false;
bool CNetscapeWWW::s_barSeen = false;

namespace {

constexpr const char* kBarClasses[] = {"AfxControlBar40", "ToolbarWindow32", "tooltips_class32", "AfxControlBar",
                                       "msctls_statusbar32", "#32770", "AfxWnd40", "AfxWnd"};
constexpr DWORD kAllAccess = 0x1F0FFF;

bool IsBarClass(const char* className) {
  for (const char* barClass : kBarClasses)
    if (::lstrcmpiA(className, barClass) == 0) return true;
  return false;
}

// Only the browser's windows are moved, never the client's own.
bool IsOwnWindow(HWND window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  return process == ::GetCurrentProcessId();
}

}  // namespace

CNetscapeWWW::CNetscapeWWW() { SetEmbedded(false); }

// A view closed without CloseBrowser still gives back its record.
CNetscapeWWW::~CNetscapeWWW() { ReleaseItem(); }

CNetscapeEcho& CNetscapeWWW::Echo() {
  static CNetscapeEcho echo;
  return echo;
}

HWND CNetscapeWWW::GetItemWindow() const { return m_item ? m_item->GetItemWindow() : nullptr; }

bool CNetscapeWWW::WantsUrlReports() const { return GetOwner() && GetOwner()->WantsUrlReports(); }

bool CNetscapeWWW::CreateItem(int attempts) {
  for (int attempt = 1; attempt <= attempts; ++attempt) {
    auto item = std::make_unique<CNetscapeItem>(m_hWnd);
    if (SUCCEEDED(item->Create())) {
      m_item = std::move(item);
      return true;
    }
    if (attempt < attempts) ::Sleep(s_retryWait);
  }
  return false;
}

void CNetscapeWWW::ShowItem() {
  if (FAILED(m_item->DoVerb(OLEIVERB_SHOW)) || !GetItemWindow()) return;
  AppUi().RegisterIdleWindow(::GetWindow(GetItemWindow(), GW_CHILD));
}

// The item made and shown, or the user told why not.
bool CNetscapeWWW::OpenItem(int attempts) {
  if (!CreateItem(attempts)) {
    MessageBoxIds2(kNoItemTitle, kNoItemText);
    return false;
  }
  ShowItem();
  if (GetItemWindow()) return true;
  m_item.reset();
  MessageBoxIds3Info(kLaunchFailedTitle, kLaunchFailedText, kLaunchFailedTitle);
  return false;
}

void CNetscapeWWW::AddToEcho() {
  m_item->SetItemRects();
  m_echoIndex = Echo().AddView(*this);
  ++s_liveViews;
}

bool CNetscapeWWW::Attach(int32_t, int32_t, int32_t, int32_t, HWND) {
  if (!OpenItem(kCreateAttempts)) return false;
  if (!WantsUrlReports()) MoveNavigatorWindows();
  AddToEcho();
  return true;
}

bool CNetscapeWWW::Embed(int32_t, int32_t, int32_t, int32_t, HWND) {
  if (!OpenItem(1)) return false;
  SetEmbedded(true);
  AddToEcho();
  return true;
}

void CNetscapeWWW::Reattach() {
  if (!m_item) return;
  ShowItem();
  MoveNavigatorWindows();
  SetEmbedded(false);
  m_item->SetItemRects();
  RECT client{};
  GetClientRect(&client);
  SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void CNetscapeWWW::MoveNavigatorWindows() {
  MoveNavigatorWindowsOutOf(GetItemWindow());
  MoveNavigatorWindowsOutOf(::GetAncestor(m_hWnd, GA_ROOT));
}

// The browser's bars go out of its window: the one at the window's client
// origin that was seen first stays, later ones there shrink to a pixel
// behind the rest; every bar is hidden and given to the view's parent.
void CNetscapeWWW::MoveNavigatorWindowsOutOf(HWND window) {
  if (!window) return;
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  const HWND viewParent = ::GetParent(m_hWnd);
  HWND child = ::GetWindow(window, GW_CHILD);
  while (child) {
    const HWND next = ::GetWindow(child, GW_HWNDNEXT);
    if (IsOwnWindow(child)) {
      child = next;
      continue;
    }
    char className[256] = {};
    ::GetClassNameA(child, className, sizeof className);
    const bool bar = IsBarClass(className);
    RECT rect{};
    ::GetWindowRect(child, &rect);
    if (rect.left == origin.x && rect.top == origin.y && child != window) {
      if (!s_barSeen)
        s_barSeen = true;
      else
        ::SetWindowPos(child, HWND_BOTTOM, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOACTIVATE);
    }
    if (bar) {
      ::ShowWindow(child, SW_HIDE);
      ::SetParent(child, viewParent);
    }
    child = next;
  }
}

void CNetscapeWWW::HideScrollBars() {
  const HWND item = GetItemWindow();
  if (!item) return;
  const LONG_PTR style = ::GetWindowLongPtrA(item, GWL_STYLE);
  ::SetWindowLongPtrA(item, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
}

void CNetscapeWWW::MoveBrowser(const RECT& rect) {
  if (IsEmbedded() || !m_hWnd) return;
  MoveWindow(rect);
  if (m_item) m_item->SetItemRects();
}

void CNetscapeWWW::Navigate(const std::string& url, int32_t, const std::string&) {
  if (HandleSpecialUrl(url)) return;
  if (m_echoIndex >= 0) Echo().OpenUrl(m_echoIndex, url);
}

void CNetscapeWWW::NavigateForce(const std::string& url) { Navigate(url, 1, ""); }

void CNetscapeWWW::Stop() {
  if (const HWND item = GetItemWindow()) ::PostMessageA(item, WM_COMMAND, kStopCommand, 0);
}

bool CNetscapeWWW::Refresh() {
  const HWND item = GetItemWindow();
  if (!item) return false;
  ::PostMessageA(item, WM_COMMAND, kReloadCommand, 0);
  return true;
}

void CNetscapeWWW::GetCurrentUrl(std::string& url) {
  const CNetscapeEchoTable::Record* record = Echo().Record(m_echoIndex);
  url = record ? record->url : std::string();
}

// The last view's close ends the browser's program, once in the client's
// life.
void CNetscapeWWW::CloseBrowser() {
  if (!m_item) return;
  DWORD process = 0;
  if (s_liveViews == 1 && !s_processEnded) ::GetWindowThreadProcessId(GetItemWindow(), &process);
  ReleaseItem();
  if (s_liveViews != 0 || s_processEnded || process == 0) return;
  if (const HANDLE handle = ::OpenProcess(kAllAccess, FALSE, process)) {
    ::TerminateProcess(handle, 0);
    ::CloseHandle(handle);
  }
  s_processEnded = true;
}

void CNetscapeWWW::ReleaseItem() {
  if (!m_item) return;
  if (m_echoIndex >= 0) Echo().RemoveView(m_echoIndex);
  m_echoIndex = -1;
  --s_liveViews;
  if (const HWND item = GetItemWindow()) AppUi().UnregisterIdleWindow(::GetWindow(item, GW_CHILD));
  m_item->Close();
  m_item.reset();
}

void CNetscapeWWW::ShowEchoStatus(const std::string& text) {
  if (GetOwner()) GetOwner()->OnStatusText(text);
}

// ---- Reports of the DDE link ------------------------------------------------------

LRESULT CNetscapeWWW::OnLoadBegan(WPARAM, LPARAM) {
  if (GetOwner() && !WantsUrlReports()) GetOwner()->OnDownloadBegin();
  return 0;
}

LRESULT CNetscapeWWW::OnProgressChanged(WPARAM, LPARAM) {
  const CNetscapeEchoTable::Record* record = Echo().Record(m_echoIndex);
  if (GetOwner() && record && !WantsUrlReports()) GetOwner()->OnStatusText(record->progress);
  return 0;
}

LRESULT CNetscapeWWW::OnContentChanged(WPARAM, LPARAM) {
  const CNetscapeEchoTable::Record* record = Echo().Record(m_echoIndex);
  if (!GetOwner() || !record) return 0;
  GetOwner()->OnLocation(record->url, record->title, true);
  GetOwner()->OnDownloadComplete(false);
  return 0;
}

LRESULT CNetscapeWWW::OnLocationLearnt(WPARAM, LPARAM) {
  const CNetscapeEchoTable::Record* record = Echo().Record(m_echoIndex);
  IBrowserOwner* owner = GetOwner();
  if (!owner || !record) return 0;
  const std::string url = record->url;
  const std::string title = record->title;
  owner->OnLocation(url, title, false);
  const bool wantsUrlReports = owner->WantsUrlReports();
  if (wantsUrlReports) ReportUrl(url);
  owner->OnNavigated(url, "");
  AddToHistory(url);
  owner->OnLocation(url, "", false);
  if (!wantsUrlReports) owner->OnLocation("", title, false);
  return 0;
}

LRESULT CNetscapeWWW::OnProtocolUrl(WPARAM, LPARAM) {
  const CNetscapeEchoTable::Record* record = Echo().Record(m_echoIndex);
  if (record) HandleSpecialUrl(std::string(record->url));
  return 0;
}
