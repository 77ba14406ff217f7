#include "DemoFrame.h"

#include "CCmdUI.h"
#include "ModuleState.h"
#include "TestResources.h"

BEGIN_MESSAGE_MAP(DemoFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(ID_SAY_HELLO, OnSayHello)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_MODE, OnUpdateMode)
END_MESSAGE_MAP()

bool DemoFrame::PreCreateWindow(CREATESTRUCTA& cs) {
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

int DemoFrame::OnCreate(LPCREATESTRUCT cs) {
  if (CFrameWnd::OnCreate(cs) == -1) {
    return -1;
  }
  static const UINT indicators[] = {0, ID_INDICATOR_MODE};
  if (!statusBar.Create(this) || !statusBar.SetIndicators(indicators, 2)) {
    return -1;
  }
  RecalcLayout();
  return 0;
}

void DemoFrame::OnSayHello() {
  SetMessageText("Hello from the frame");
}

void DemoFrame::OnUpdateMode(CCmdUI* ui) {
  ui->Enable(true);
}
