// CBrowserWndLink: the application's side of its own directory window, the
// one that shows the service's directory and event pages when the directory
// program does not.
#pragma once

#include <windows.h>

#include <cstdint>

#include "IBrowserWndHost.h"

class CBrowserWnd;
class CZrApp;

class CBrowserWndLink : public IBrowserWndHost {
 public:
  explicit CBrowserWndLink(CZrApp& app) : m_app(app) {}

  // Shows the window in mode (made when needed) with the mode's page.
  void Open(int32_t mode);
  void Hide();
  void Close();

  // IBrowserWndHost
  CBrowser* CreateView(CWnd& parent) override;
  std::vector<std::string> GetKnownPageUrls() override;
  void SetCurrentPageUrl(const std::string& url) override;
  void CloseBrowser() override;
  std::string GetBlankUrl() override;
  void ReturnToMainWindow() override;

 private:
  // The window while it exists (it deletes itself with its window).
  CBrowserWnd* Window() const;

  CZrApp& m_app;
  CBrowserWnd* m_window = nullptr;
  HWND m_windowHandle = nullptr;
};
