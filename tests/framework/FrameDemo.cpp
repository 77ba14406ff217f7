// An empty main window of class "ZRFrame": menu, accelerators, icon, title
// and status bar all come from the resource library ZrFrameTestRes.dll.
#include <windows.h>
#include <commctrl.h>

#include "CWinApp.h"
#include "DemoFrame.h"
#include "ModuleState.h"
#include "TestResources.h"

namespace {

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
