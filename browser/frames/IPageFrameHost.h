// The application's services that the page frame of the main window calls:
// it makes the frame's browser view, lets the root place enter or open a
// page, and shows the page's state in the main window.
#pragma once

#include <windows.h>

#include <string>

class CBrowser;
class CWnd;
class IBrowserOwner;

class IPageFrameHost {
 public:
  virtual ~IPageFrameHost() = default;

  // The browser view of the frame, attached inside parent with owner as its
  // owner; null when none can be made (the view has told the user why).
  virtual CBrowser* OpenBrowserView(CWnd& parent, IBrowserOwner& owner) = 0;
  // The root place follows the page shown: the client enters its place.
  virtual void FollowPage(const std::string& url) = 0;
  // The root place opens an address the user chose in the page frame.
  virtual void OpenPage(const std::string& url) = 0;
  virtual void SetStatusText(const std::string& text) = 0;
  // The main window's busy animation and progress while a page loads.
  virtual void SetLoading(bool loading) = 0;
  virtual void SetPageTitle(const std::string& title) = 0;
  // The page has loaded: the root place tells the server its address and
  // title.
  virtual void ReportPage(const std::string& url, const std::string& title) = 0;
  // The height of the participation indicator standing at the frame's top
  // left (0 when none).
  virtual int GetIndicatorHeight() = 0;
  virtual int GetIndicatorWidth() = 0;
  // The application's list of windows repainted when the palette changes.
  virtual void RegisterIdleWindow(HWND window) = 0;
  virtual void UnregisterIdleWindow(HWND window) = 0;
  // Tiles the application's background picture over area, the application
  // palette selected; false when there is no picture.
  virtual bool DrawBackground(HDC dc, const RECT& area) = 0;
};
