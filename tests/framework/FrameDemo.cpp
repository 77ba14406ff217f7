// An empty main window of class "ZRFrame": menu, accelerators, icon, title
// and status bar all come from the resource library ZrFrameTestRes.dll.
#include <windows.h>
#include <commctrl.h>

#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CStatusBar.h"
#include "CWinApp.h"
#include "ModuleState.h"
#include "TestResources.h"

namespace {

class DemoFrame : public CFrameWnd {
 protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override {
    if (!CFrameWnd::PreCreateWindow(cs)) {
      return false;
    }
    HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TESTFRAME));
    if (!RegisterClassCopy(cs.lpszClass, "ZRFrame", icon)) {
      return false;
    }
    cs.lpszClass = "ZRFrame";
    return true;
  }

  int OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1) {
      return -1;
    }
    static const UINT indicators[] = {0, ID_INDICATOR_MODE};
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, 2)) {
      return -1;
    }
    RecalcLayout();
    return 0;
  }

  void OnSayHello() { SetMessageText("Hello from the frame"); }
  void OnUpdateMode(CCmdUI* ui) { ui->Enable(true); }

  DECLARE_MESSAGE_MAP()

 private:
  CStatusBar m_statusBar;
};

BEGIN_MESSAGE_MAP(DemoFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(ID_SAY_HELLO, OnSayHello)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_MODE, OnUpdateMode)
END_MESSAGE_MAP()

class DemoApp : public CWinApp {
 public:
  DemoApp() : CWinApp("ZR Frame Demo") {}

  bool InitInstance() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    HMODULE resources = ::LoadLibraryA("ZrFrameTestRes.dll");
    if (!resources) {
      ::MessageBoxA(nullptr, "ZrFrameTestRes.dll is missing.", m_appName.c_str(), MB_OK);
      return false;
    }
    AfxSetResourceHandle(resources);
    auto* frame = new DemoFrame;
    if (!frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN)) {
      return false;
    }
    m_pMainWnd = frame;
    frame->SetWindowPos(nullptr, 40, 40, 480, 320, SWP_NOZORDER);
    frame->ActivateFrame(m_nCmdShow);
    return true;
  }

 protected:
  void OnAppExit() { m_pMainWnd->SendMessage(WM_CLOSE); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DemoApp, CWinApp)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

DemoApp g_demoApp;

}  // namespace
