// CBrowserEventSink: the owner of the view in the client's own directory
// window. A place link taken or a page that asks to close ends the window;
// a finished load repaints it; new page addresses go to the window.
#pragma once

#include "IBrowserOwner.h"

class CBrowserWnd;
class IBrowserWndHost;

class CBrowserEventSink : public IBrowserOwner {
 public:
  CBrowserEventSink(CBrowserWnd& frame, IBrowserWndHost& host) : m_frame(frame), m_host(host) {}

  void OnNavigated(const std::string&, const std::string&) override {}
  void OnCloseRequest(const std::string&) override;
  void OnPlaceTaken() override;
  void OnDownloadBegin() override {}
  void OnDownloadComplete(bool flag) override;
  // The window has no status line.
  void OnStatusText(const std::string&) override {}
  void OnProgress(int32_t) override {}
  void OnLocation(const std::string&, const std::string&, bool) override {}
  void OnHistoryNavigate(const std::string&, const std::string&) override {}
  bool WantsUrlReports() override { return true; }
  bool IsTourOwner() override { return false; }

 private:
  CBrowserWnd& m_frame;
  IBrowserWndHost& m_host;
};
