// The demo's main window: class "ZRFrame" (a copy of the framework's frame
// class with the resource library's icon), with the menu, accelerators,
// title and status bar of resource IDR_TESTFRAME.
#pragma once
#include "CFrameWnd.h"
#include "CStatusBar.h"

class DemoFrame : public CFrameWnd {
 public:
  CStatusBar statusBar;

 protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  int OnCreate(LPCREATESTRUCT cs);
  void OnSayHello();
  void OnUpdateMode(CCmdUI* ui);

  DECLARE_MESSAGE_MAP()
};
