// The application's services that the client's own browser window for the
// service's directory and event pages calls.
#pragma once

#include <string>
#include <vector>

class CBrowser;
class CWnd;

class IBrowserWndHost {
 public:
  virtual ~IBrowserWndHost() = default;

  // A browser view as a child of parent, not yet attached; null when none.
  virtual CBrowser* CreateView(CWnd& parent) = 0;
  // The community's known page addresses (its event, directory and second
  // event pages), in the order they are compared.
  virtual std::vector<std::string> GetKnownPageUrls() = 0;
  // The page becomes the application's current page.
  virtual void SetCurrentPageUrl(const std::string& url) = 0;
  // The page gives way to the place: the browser window closes.
  virtual void CloseBrowser() = 0;
  // The local blank page a closed window shows.
  virtual std::string GetBlankUrl() = 0;
  // The main window gets the focus and comes to the top.
  virtual void ReturnToMainWindow() = 0;
};
