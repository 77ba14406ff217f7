// CPageFrameLink: the application's side of the page frame in the main
// window's page area. It makes the frame's browser view, lets the root place
// enter the pages the user goes to, shows the page's state in the main
// window, and carries out the page commands (back, forward, reload, stop).
#pragma once

#include "CBrowserServices.h"
#include "ICommandTarget.h"
#include "IPageFrameHost.h"

class CSpyWnd;
class CZrApp;

class CPageFrameLink : public IPageFrameHost, public ICommandTarget {
 public:
  // The main window's title: the product's name and the page.
  static constexpr UINT kProductTitle = 517;
  // "Private Room": marks a private room's page in the title.
  static constexpr UINT kPrivateRoomText = 343;

  explicit CPageFrameLink(CZrApp& app) : m_app(app), m_services(app) {}

  // Makes the frame's bar and view and plugs the page commands in.
  void Attach(CSpyWnd* frame);
  CSpyWnd* GetFrame() const { return m_frame; }
  CBrowserServices& Services() { return m_services; }

  // IPageFrameHost
  CBrowser* OpenBrowserView(CWnd& parent, IBrowserOwner& owner) override;
  void FollowPage(const std::string& url) override;
  void OpenPage(const std::string& url) override;
  void SetStatusText(const std::string& text) override;
  void SetLoading(bool loading) override;
  void SetPageTitle(const std::string& title) override;
  void ReportPage(const std::string& url, const std::string& title) override;
  int GetIndicatorHeight() override;
  int GetIndicatorWidth() override;
  void RegisterIdleWindow(HWND window) override;
  void UnregisterIdleWindow(HWND window) override;
  bool DrawBackground(HDC dc, const RECT& area) override;

  // ICommandTarget
  void UpdateCommand(UINT id, CCmdUI* ui) override;
  void RunCommand(UINT id) override;

 private:
  // False when the user guides no tour.
  bool PublishToOwnTour(const std::string& url);

  CZrApp& m_app;
  CBrowserServices m_services;
  CSpyWnd* m_frame = nullptr;  // a pane of the main window
};
