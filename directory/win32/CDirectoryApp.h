// CDirectoryApp: the directory browser program. It starts only beside a
// running chat client and never beside another browser, takes its texts from
// the client's resource library when the start arguments name one, and shows
// its frame.
#pragma once

#include <string>

#include "CMainFrame.h"
#include "CWinApp.h"

class CDirectoryApp : public CWinApp {
 public:
  explicit CDirectoryApp(CMainFrame::ControlFactory makeControl);

  bool InitInstance() override;
  int ExitInstance() override;

 private:
  void LoadResourceLibrary(const std::string& arguments);

  CMainFrame::ControlFactory m_makeControl;
  std::string m_arguments;
  HMODULE m_resources = nullptr;
  bool m_oleStarted = false;
};
