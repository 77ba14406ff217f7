// CSpyWnd: the browser frame of the main window's page area. It carries the
// location bar and the browser view, receives the view's reports through its
// status adapter, keeps the page's address and title, writes them to the
// main window, and lets the root place follow the pages the user goes to.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CFrameWnd.h"

class CBrowser;
class CLocationBar;
class CSpyStatusAdapter;
class IPageFrameHost;

class CSpyWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CSpyWnd)

 public:
  // The part of the frame over which avatars stand on the page, in the
  // frame's client coordinates.
  struct PageArea {
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
  };

  // The status line when a page has loaded.
  static constexpr char kDoneText[] = "Done.";

  CSpyWnd();
  ~CSpyWnd() override;

  // Makes the location bar and the browser view the first time; host
  // outlives the frame.
  void Activate(IPageFrameHost& host);
  IPageFrameHost& Host() { return *m_host; }
  CBrowser* GetView() const { return m_view; }
  CLocationBar* GetLocationBar() const { return m_locationBar.get(); }

  // The root place names the page it has entered or the community it has
  // connected to.
  void SetTitle(const std::string& title);
  // Places the location bar and the view again.
  void Layout();
  const PageArea& GetPageArea() const { return m_pageArea; }
  // With attach, window becomes a child filling the frame (kept until the
  // windows are given back); without, every window taken is given back to
  // its former parent.
  void AttachChild(HWND window, bool attach);
  // Shows window in place of the page, or the page again.
  void ShowChild(HWND window, bool show);
  void GetCurrentUrl(std::string& url);
  void GetUrls(std::string& url, std::string& title) const;
  void SetRecordNext(int32_t value);
  // Loads url in the view; follow makes it the page followed last (the
  // root place has entered it already).
  void Navigate(const std::string& url, bool follow);
  void NavigateForce(const std::string& url);
  bool Refresh();
  void Stop();
  bool CanGoBack();
  bool CanGoForward();
  void GoBack();
  void GoForward();

  // The status adapter's work.
  void FollowPage(const std::string& url, const std::string& second);
  void StartLoading();
  void EndLoading(bool flag);
  void OnLocation(const std::string& url, const std::string& title, bool final);
  void OnHistoryNavigate(const std::string& url, const std::string& extra);

 protected:
  // The view comes with Activate, not from the creation context.
  bool OnCreateClient(LPCREATESTRUCT, CCreateContext*) override { return true; }
  void OnSize(UINT type, int cx, int cy);

  DECLARE_MESSAGE_MAP()

 private:
  void LayoutChildren(int cx, int cy);
  void UpdatePageArea(int cx, int cy, int indicatorHeight);

  struct AttachedChild {
    HWND window;
    HWND formerParent;
  };

  std::unique_ptr<CSpyStatusAdapter> m_adapter;
  CBrowser* m_view = nullptr;  // a child window that deletes itself
  std::unique_ptr<CLocationBar> m_locationBar;
  IPageFrameHost* m_host = nullptr;
  std::vector<AttachedChild> m_children;
  PageArea m_pageArea;
  std::string m_lastFollowed;
  std::string m_pageUrl;
  std::string m_pageTitle;
  bool m_loading = false;
};
