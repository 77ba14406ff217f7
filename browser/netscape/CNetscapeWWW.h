// CNetscapeWWW: the browser view for which the other browser, running as its
// own program, shows the pages. The view holds the browser's window as an
// OLE item, attached (the browser's bars moved out of the way) or embedded,
// and drives it through the process's DDE link, whose reports arrive as
// posted messages and go on to the view's owner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "CBrowser.h"
#include "INetscapeEchoView.h"

class CNetscapeEcho;
class CNetscapeItem;

class CNetscapeWWW : public CBrowser, public INetscapeEchoView {
  DECLARE_DYNCREATE(CNetscapeWWW)

 public:
  // Attempts at making the item before the user is told.
  static constexpr int kCreateAttempts = 5;
  // Message strings when the item cannot be made, and when showing it fails.
  static constexpr UINT kNoItemTitle = 214;
  static constexpr UINT kNoItemText = 1328;
  static constexpr UINT kLaunchFailedTitle = 199;
  static constexpr UINT kLaunchFailedText = 565;
  // The browser's Stop and Reload commands.
  static constexpr UINT kStopCommand = 32795;
  static constexpr UINT kReloadCommand = 32782;

  CNetscapeWWW();
  ~CNetscapeWWW() override;

  // The process's DDE link with the browser.
  static CNetscapeEcho& Echo();
  // The wait between attempts at making the item (2000 ms unless set).
  static void SetRetryWait(DWORD milliseconds) { s_retryWait = milliseconds; }

  void Reattach() override;
  bool Embed(int32_t left, int32_t top, int32_t right, int32_t bottom, HWND parent) override;
  void HideScrollBars() override;
  bool Attach(int32_t left, int32_t top, int32_t right, int32_t bottom, HWND parent) override;
  void CloseBrowser() override;
  void MoveBrowser(const RECT& rect) override;
  void Navigate(const std::string& url, int32_t cacheFlag, const std::string& extra) override;
  void NavigateForce(const std::string& url) override;
  void Stop() override;
  bool Refresh() override;
  void GetCurrentUrl(std::string& url) override;
  int32_t PollBrowser() override { return 1; }

  // INetscapeEchoView
  HWND EchoWindow() const override { return m_hWnd; }
  std::string EchoViewName() const override { return GetViewName(); }
  void ShowEchoStatus(const std::string& text) override;

  HWND GetItemWindow() const;
  int32_t GetEchoIndex() const { return m_echoIndex; }

 protected:
  LRESULT OnLoadBegan(WPARAM, LPARAM);
  LRESULT OnProgressChanged(WPARAM, LPARAM);
  LRESULT OnContentChanged(WPARAM, LPARAM);
  LRESULT OnLocationLearnt(WPARAM, LPARAM);
  LRESULT OnProtocolUrl(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

 private:
  // Makes and shows the item; false (and no item) when it cannot be made.
  bool CreateItem(int attempts);
  void ShowItem();
  bool OpenItem(int attempts);
  // Places the item and gives the view its record in the DDE link.
  void AddToEcho();
  void MoveNavigatorWindows();
  void MoveNavigatorWindowsOutOf(HWND window);
  // Lets the item go: its record, the live-view count, the item itself.
  void ReleaseItem();
  bool WantsUrlReports() const;

  std::unique_ptr<CNetscapeItem> m_item;
  int32_t m_echoIndex = -1;

  static DWORD s_retryWait;
  static int32_t s_liveViews;
  static bool s_processEnded;
  static bool s_barSeen;
};
