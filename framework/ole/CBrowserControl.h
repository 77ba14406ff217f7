// CBrowserControl: the web browser control of the system, hosted in place in
// a child window of ours (named as the program asks), with its DWebBrowserEvents2 events (or, when the
// control has none, its older event set) delivered through a CBrowserSite.
// Errors of the control's calls are dropped: a call that fails changes
// nothing, and a property that cannot be read is empty.
#pragma once

#include <exdisp.h>
#include <ole2.h>
#include <windows.h>

#include <string>
#include <utility>

#include "CWebControl.h"

class CBrowserSite;

class CBrowserControl : public CWebControl {
 public:
  // windowName: the name of the hosting child window (may be empty).
  explicit CBrowserControl(std::string windowName = std::string())
      : m_windowName(std::move(windowName)) {}
  CBrowserControl(const CBrowserControl&) = delete;
  CBrowserControl& operator=(const CBrowserControl&) = delete;
  ~CBrowserControl() override;

  bool Create(HWND parent, const RECT& rect, DWORD style, UINT id,
              CWebControlEvents& events) override;
  HWND Window() const override { return m_window; }
  void Move(const RECT& rect) override;
  void Navigate(const std::string& address, bool noCache) override;
  void Stop() override;
  void Refresh() override;
  std::string LocationURL() const override;
  std::string LocationName() const override;

 private:
  bool Activate(CWebControlEvents& events);
  bool Advise();
  void Release();

  std::string m_windowName;
  HWND m_window = nullptr;
  IOleObject* m_object = nullptr;
  IWebBrowser2* m_browser = nullptr;
  CBrowserSite* m_site = nullptr;
  IConnectionPoint* m_point = nullptr;
  DWORD m_cookie = 0;
};
