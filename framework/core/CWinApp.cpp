#include "CWinApp.h"

#include "CDocTemplate.h"
#include "CWnd.h"
#include "FrameworkIds.h"
#include "ModuleState.h"
#include "TempObjects.h"

namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp(const char* appName) : m_appName(appName ? appName : "") {
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) {
    g_app = nullptr;
  }
}

CWinApp* AfxGetApp() {
  return g_app;
}

CWnd* AfxGetMainWnd() {
  return g_app ? g_app->m_pMainWnd : nullptr;
}

std::string AfxGetAppTitle() {
  return g_app ? g_app->m_appName : std::string();
}

bool CWinApp::InitInstance() {
  return true;
}

int CWinApp::ExitInstance() {
  return static_cast<int>(m_current.wParam);
}

int CWinApp::Run() {
  bool idle = true;
  LONG idleCount = 0;
  MSG peek;
  for (;;) {
    while (idle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) {
        idle = false;
      }
    }
    do {
      if (!PumpMessage()) {
        return ExitInstance();
      }
      if (IsIdleMessage(m_current)) {
        idle = true;
        idleCount = 0;
      }
    } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
  }
}

bool CWinApp::PumpMessage() {
  if (::GetMessageA(&m_current, nullptr, 0, 0) <= 0) {
    return false;
  }
  if (!PreTranslateMessage(&m_current)) {
    ::TranslateMessage(&m_current);
    ::DispatchMessageA(&m_current);
  }
  return true;
}

bool CWinApp::PreTranslateMessage(MSG* msg) {
  return CWnd::WalkPreTranslateTree(msg);
}

bool CWinApp::IsIdleMessage(const MSG& msg) {
  constexpr UINT kCaretBlink = 0x0118;
  if (msg.message == WM_TIMER || msg.message == kCaretBlink || msg.message == WM_PAINT) {
    return false;
  }
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
    POINT point = msg.pt;
    bool same = msg.message == m_lastMouseMessage && point.x == m_lastMousePoint.x &&
                point.y == m_lastMousePoint.y;
    m_lastMouseMessage = msg.message;
    m_lastMousePoint = point;
    return !same;
  }
  return true;
}

bool CWinApp::OnIdle(LONG count) {
  if (count == 0) {
    if (m_pMainWnd && m_pMainWnd->m_hWnd) {
      m_pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
      m_pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE);
    }
    return true;
  }
  zr::DeleteTempObjects();
  return false;
}

int CWinApp::DoMessageBox(const char* text, UINT type, UINT) {
  HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  if (owner && !::IsWindowVisible(owner)) {
    owner = nullptr;
  }
  return ::MessageBoxA(owner, text, m_appName.c_str(), type);
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
  m_templates.emplace_back(docTemplate);
}

int AfxMessageBox(const char* text, UINT type, UINT helpId) {
  if (g_app) {
    return g_app->DoMessageBox(text, type, helpId);
  }
  return ::MessageBoxA(nullptr, text, "", type);
}

int AfxMessageBox(UINT stringId, UINT type, UINT helpId) {
  std::string text = AfxLoadString(stringId);
  return AfxMessageBox(text.c_str(), type, helpId == UINT(-1) ? stringId : helpId);
}

int AfxWinMain(HINSTANCE instance, int cmdShow) {
  CWinApp* app = AfxGetApp();
  if (!app) {
    return -1;
  }
  AfxSetInstanceHandle(instance);
  app->m_hInstance = instance;
  app->m_nCmdShow = cmdShow;
  if (!app->InitInstance()) {
    if (app->m_pMainWnd && ::IsWindow(app->m_pMainWnd->m_hWnd)) {
      app->m_pMainWnd->DestroyWindow();
    }
    return app->ExitInstance();
  }
  return app->Run();
}
