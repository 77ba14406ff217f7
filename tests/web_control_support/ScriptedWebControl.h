// ScriptedWebControl: a web control for tests that raises the control's
// events itself. Navigate asks first (BeforeNavigate2) and, when not
// cancelled, completes at once: DownloadBegin, NavigateComplete2 with the new
// location (left out when told to, as Wine's control leaves it out),
// DownloadComplete. Tests raise any other event directly and read
// the calls the host made.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "CWebControl.h"

class ScriptedWebControl : public CWebControl {
 public:
  struct Calls {
    std::vector<std::string> navigations;  // "address|nocache" or "address|cache"
    int refreshes = 0;
    int stops = 0;
    int moves = 0;
  };

  // calls outlives the control; failCreate makes Create fail.
  explicit ScriptedWebControl(Calls& calls, bool failCreate = false, std::string windowName = "WWWCtrl")
      : m_calls(calls), m_failCreate(failCreate), m_windowName(std::move(windowName)) {}
  ~ScriptedWebControl() override;

  bool Create(HWND parent, const RECT& rect, DWORD style, UINT id,
              CWebControlEvents& events) override;
  HWND Window() const override { return m_window; }
  void Move(const RECT& rect) override;
  void Navigate(const std::string& address, bool noCache) override;
  void Stop() override { ++m_calls.stops; }
  void Refresh() override { ++m_calls.refreshes; }
  std::string LocationURL() const override { return m_location; }
  std::string LocationName() const override { return m_title; }

  // A link followed in the page: the question without a Navigate call.
  // True when the navigation went on.
  bool Click(const std::string& address);
  void SetTitle(const std::string& title) { m_title = title; }
  // As the control under Wine: navigations complete without telling it
  // (no NavigateComplete event).
  void SetUntoldCompletion(bool untold) { m_untoldCompletion = untold; }
  CWebControlEvents& Events() { return *m_events; }

 private:
  Calls& m_calls;
  bool m_failCreate;
  std::string m_windowName;
  HWND m_window = nullptr;
  CWebControlEvents* m_events = nullptr;
  std::string m_location;
  std::string m_title;
  bool m_untoldCompletion = false;
};
