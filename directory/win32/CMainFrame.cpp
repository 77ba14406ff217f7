#include "CMainFrame.h"

#include "CCopyDataLink.h"
#include "DirectoryCodes.h"
#include "DirectoryText.h"
#include "ModuleState.h"

using namespace zr::directory;

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_TIMER()
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_COPYDATA, OnCopyData)
  ON_MESSAGE(kBrowserPostedCommand, OnPostedCommand)
END_MESSAGE_MAP()

CMainFrame::CMainFrame(std::string arguments, ControlFactory makeControl)
    : m_arguments(std::move(arguments)), m_makeControl(std::move(makeControl)), m_notify(*this) {}

bool CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) {
    return false;
  }
  cs.style |= WS_CLIPSIBLINGS;
  cs.hwndParent = ::FindWindowA(kClientWindowClass, nullptr);
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kFrameResource));
  if (!icon) {
    icon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(kFrameResource));
  }
  if (!RegisterClassCopy(cs.lpszClass, kBrowserWindowClass, icon)) {
    return false;
  }
  cs.lpszClass = kBrowserWindowClass;
  return true;
}

int CMainFrame::OnCreate(LPCREATESTRUCT cs) {
  HMENU menu = ::GetMenu(m_hWnd);
  if (menu) {
    ::SetMenu(m_hWnd, nullptr);
    ::DestroyMenu(menu);
  }
  if (CFrameWnd::OnCreate(cs) == -1) {
    return -1;
  }
  static const UINT panes[] = {0};
  if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(panes, 1)) {
    return -1;
  }
  RecalcLayout();
  ApplyStartArguments();
  m_host = std::make_unique<CWebHost>(m_notify, m_makeControl ? m_makeControl() : nullptr);
  m_host->Create(HostArea(), m_hWnd);
  SendToClient(m_directoryMode ? kInDirectoryMode : kInEventMode, std::string());
  SetTimer(kClientWatchTimer, kClientWatchPeriodMs);
  return 0;
}

void CMainFrame::ApplyStartArguments() {
  CStartArguments arguments;
  arguments.Parse(m_arguments);
  m_directoryMode = arguments.IsDirectoryMode();
  SetWindowText(arguments.DisplayTitle());
  if (arguments.HasPlacement()) {
    MoveWindow(arguments.X(), arguments.Y(), arguments.Width(), arguments.Height(), true);
  }
}

RECT CMainFrame::HostArea() const {
  RECT area{};
  GetClientRect(&area);
  if (m_statusBar.m_hWnd && (m_statusBar.GetStyle() & WS_VISIBLE)) {
    // The layout has placed the bar at the bottom of the client area.
    RECT bar{};
    m_statusBar.GetWindowRect(&bar);
    ScreenToClient(&bar);
    area.bottom = bar.top;
  }
  if (area.bottom < area.top) {
    area.bottom = area.top;
  }
  return area;
}

void CMainFrame::OnSize(UINT type, int cx, int cy) {
  CFrameWnd::OnSize(type, cx, cy);
  if (m_host && type != SIZE_MINIMIZED) {
    m_host->Move(HostArea());
  }
}

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id != kClientWatchTimer) {
    Default();
    return;
  }
  if (!::FindWindowA(kClientWindowClass, nullptr)) {
    CloseFrame();
  }
}

void CMainFrame::OnClose() {
  CloseFrame();
}

void CMainFrame::CloseFrame() {
  if (m_host && m_host->IsAsking()) {
    m_host->AbandonQuestions();
    PostMessage(WM_CLOSE);
    return;
  }
  ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, 0);
  DestroyWindow();
}

void CMainFrame::OnDestroy() {
  KillTimer(kClientWatchTimer);
  m_host.reset();
  CFrameWnd::OnDestroy();
}

LRESULT CMainFrame::OnCopyData(WPARAM sender, LPARAM record) {
  return CCopyDataLink::OnCopyData(m_hWnd, kBrowserPostedCommand, sender, record);
}

LRESULT CMainFrame::OnPostedCommand(WPARAM, LPARAM copy) {
  std::unique_ptr<CCopyCommand> command = CCopyDataLink::TakePosted(copy);
  if (!command) {
    return 0;
  }
  if (!::FindWindowA(kClientWindowClass, nullptr)) {
    CloseFrame();
    return 0;
  }
  RunCommand(*command);
  return 0;
}

void CMainFrame::RunCommand(const CCopyCommand& command) {
  const std::string& text = command.Text();
  switch (command.Code()) {
    case kClose:
      CloseFrame();
      break;
    case kHideAndShowClient:
      ShowWindow(SW_HIDE);
      ReturnToClient();
      break;
    case kHide:
      ShowWindow(SW_HIDE);
      break;
    case kRestore:
      ShowWindow(SW_RESTORE);
      break;
    case kShowMinimized:
      ShowWindow(SW_SHOWMINIMIZED);
      break;
    case kShowMaximized:
      ShowWindow(SW_SHOWMAXIMIZED);
      break;
    case kDirectoryMode:
      ReportMode(true);
      break;
    case kEventMode:
      ReportMode(false);
      break;
    case kNavigate:
      ShowWindow(SW_RESTORE);
      m_host->Navigate(text, false, false);
      break;
    case kRefresh:
      ShowWindow(SW_RESTORE);
      m_host->Refresh();
      break;
    case kAnswerGo:
      m_host->AddAnswer(text, CNavAnswerList::kGo);
      break;
    case kAnswerStay:
      m_host->AddAnswer(text, CNavAnswerList::kStay);
      break;
    case kSetTitle:
      SetWindowText(UnderscoresToBlanks(text));
      break;
    case kMoveWindow:
      if (std::optional<WindowPlace> place = ParseWindowPlace(text)) {
        MoveWindow(place->x, place->y, place->width, place->height, true);
      }
      break;
    default:
      break;
  }
}

void CMainFrame::ReportMode(bool directoryMode) {
  std::string address = m_host->GetLocationURL();
  m_directoryMode = directoryMode;
  SendToClient(directoryMode ? kInDirectoryMode : kInEventMode, address);
}

void CMainFrame::ReturnToClient() {
  HWND client = ::FindWindowA(kClientWindowClass, nullptr);
  if (client) {
    ::SetForegroundWindow(client);
    ::SetWindowPos(client, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  }
}

bool CMainFrame::SendToClient(uint32_t code, const std::string& text) {
  return CCopyDataLink::Send(m_hWnd, kClientWindowClass, code, text);
}

void CMainFrame::CFrameNotify::StatusText(const std::string& text) {
  m_frame.m_statusBar.SetPaneText(0, text);
  m_frame.m_statusBar.UpdateWindow();
}

bool CMainFrame::CFrameNotify::AskNavigation(const std::string& address) {
  if (m_frame.m_letNextNavigationGo) {
    m_frame.m_letNextNavigationGo = false;
    m_frame.m_host->AddAnswer(address, CNavAnswerList::kGo);
    return true;
  }
  return m_frame.SendToClient(kAskNavigation, address);
}
