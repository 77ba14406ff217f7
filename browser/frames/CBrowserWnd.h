// CBrowserWnd: the client's own small browser window for the service's
// directory and event-management pages, used when the directory program is
// not. Its view reports to a CBrowserEventSink; the page addresses it loads
// become the application's current page when they are the community's own.
#pragma once

#include <memory>
#include <string>

#include "CFrameWnd.h"

class CBrowser;
class CBrowserEventSink;
class IBrowserWndHost;

class CBrowserWnd : public CFrameWnd {
 public:
  enum Mode : int32_t { kNoMode = 0, kDirectory = 1, kEventManagement = 2 };
  static constexpr UINT kDirectoryTitle = 153;
  static constexpr UINT kEventTitle = 61258;
  static constexpr int kWidth = 560;
  static constexpr int kHeight = 450;

  explicit CBrowserWnd(IBrowserWndHost& host);
  ~CBrowserWnd() override;

  // Makes the window (owned by mainWindow) and its view, which attaches (or
  // embeds) in it. False when the view cannot: the window is then destroyed
  // and this object deleted with it.
  bool Create(CWnd* mainWindow, int32_t mode, bool attach);
  void SetMode(int32_t mode);
  int32_t GetMode() const { return m_mode; }
  const std::string& GetTitle() const { return m_title; }
  CBrowser* GetView() const { return m_view; }
  void Navigate(const std::string& url);
  // A page about to load: the application's current page when it is one of
  // the community's known pages.
  void SetUrl(const std::string& url);
  void CloseBrowser();

 protected:
  void OnSize(UINT type, int cx, int cy);
  void OnClose();
  void OnTimer(UINT_PTR id);

  DECLARE_MESSAGE_MAP()

 private:
  bool ViewAlive() const;

  IBrowserWndHost& m_host;
  std::unique_ptr<CBrowserEventSink> m_sink;
  CBrowser* m_view = nullptr;  // a child window that deletes itself
  int32_t m_mode = kNoMode;
  std::string m_title;
};
