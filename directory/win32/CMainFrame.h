// CMainFrame: the directory browser's top-level frame, window class
// "ZRDirectory", owned by the chat client's "ZRFrame" window. It holds the
// browser host and a one-pane status bar, carries out the client's commands
// after their WM_COPYDATA call has returned, asks the client before every
// navigation, and ends itself when the client's window is gone.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "CFrameWnd.h"
#include "CStartArguments.h"
#include "CStatusBar.h"
#include "CWebControl.h"
#include "CWebHost.h"
#include "CWebHostNotify.h"

class CCopyCommand;

class CMainFrame : public CFrameWnd {
 public:
  using ControlFactory = std::function<std::unique_ptr<CWebControl>()>;
  static constexpr UINT kFrameResource = 128;
  static constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;

  // arguments: the start arguments (the command line without the program).
  CMainFrame(std::string arguments, ControlFactory makeControl);

  bool IsDirectoryMode() const { return m_directoryMode; }
  bool IsEventMode() const { return !m_directoryMode; }
  CWebHost* Host() const { return m_host.get(); }
  std::string StatusPaneText() const { return m_statusBar.GetPaneText(0); }

 protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  int OnCreate(LPCREATESTRUCT cs);
  void OnSize(UINT type, int cx, int cy);
  void OnTimer(UINT_PTR id);
  void OnClose();
  void OnDestroy();
  LRESULT OnCopyData(WPARAM sender, LPARAM record);
  LRESULT OnPostedCommand(WPARAM sender, LPARAM copy);

  DECLARE_MESSAGE_MAP()

 private:
  // The frame's part of the host's reports.
  class CFrameNotify : public CWebHostNotify {
   public:
    explicit CFrameNotify(CMainFrame& frame) : m_frame(frame) {}
    void StatusText(const std::string& text) override;
    bool AskNavigation(const std::string& address) override;

   private:
    CMainFrame& m_frame;
  };

  void ApplyStartArguments();
  RECT HostArea() const;
  void RunCommand(const CCopyCommand& command);
  void ReportMode(bool directoryMode);
  void ReturnToClient();
  // Detaches from the client's window and destroys the frame; while a
  // navigation question is waiting inside the control's event, the wait ends
  // as cancelled and the close follows when the event has returned.
  void CloseFrame();
  bool SendToClient(uint32_t code, const std::string& text);

  std::string m_arguments;
  ControlFactory m_makeControl;
  bool m_letNextNavigationGo = true;
  bool m_directoryMode = true;
  CFrameNotify m_notify;
  std::unique_ptr<CWebHost> m_host;
  CStatusBar m_statusBar;
};
