// The application object: start-up and shut-down, the message pump with
// idle processing and the pre-translation chain, the last stop of command
// routing, and message boxes with the application's title.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CCmdTarget.h"

class CDocTemplate;
class CWnd;

class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;

  CWnd* m_pMainWnd = nullptr;
  HINSTANCE m_hInstance = nullptr;
  std::string m_appName;  // the title of message boxes
  int m_nCmdShow = SW_SHOWNORMAL;

  virtual bool InitInstance();
  virtual int ExitInstance();
  // Pumps messages until WM_QUIT; returns ExitInstance's code.
  virtual int Run();
  // Idle work at count 0, 1, ... since the last non-idle message; returns
  // whether more idle calls are wanted.
  virtual bool OnIdle(LONG count);
  // Whether msg restarts idle processing; timer ticks, painting and mouse
  // moves that did not move the mouse do not.
  virtual bool IsIdleMessage(const MSG& msg);
  virtual bool PreTranslateMessage(MSG* msg);
  // Takes one message off the queue and delivers it; false on WM_QUIT.
  bool PumpMessage();
  // Shows a message box over the main window; tests and applications may
  // replace it.
  virtual int DoMessageBox(const char* text, UINT type, UINT helpId);

  // Document templates, owned by the application.
  void AddDocTemplate(CDocTemplate* docTemplate);
  const std::vector<std::unique_ptr<CDocTemplate>>& GetDocTemplates() const { return m_templates; }

 private:
  std::vector<std::unique_ptr<CDocTemplate>> m_templates;
  POINT m_lastMousePoint{-1, -1};
  UINT m_lastMouseMessage = 0;
  MSG m_current{};
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
std::string AfxGetAppTitle();
// A message box with the application's title; text or a string id from the
// resource module.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT stringId, UINT type = MB_OK, UINT helpId = UINT(-1));
// Runs the application object: InitInstance, Run, and ExitInstance.
int AfxWinMain(HINSTANCE instance, int cmdShow);
