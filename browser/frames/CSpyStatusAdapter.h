// CSpyStatusAdapter: the owner of the page frame's browser view. It hands
// the view's reports to the page frame, which follows the pages, shows
// loading and keeps the page's address and title.
#pragma once

#include "IBrowserOwner.h"

class CSpyWnd;

class CSpyStatusAdapter : public IBrowserOwner {
 public:
  explicit CSpyStatusAdapter(CSpyWnd& frame) : m_frame(frame) {}

  void OnNavigated(const std::string& url, const std::string& second) override;
  void OnCloseRequest(const std::string&) override {}
  void OnPlaceTaken() override {}
  void OnDownloadBegin() override;
  void OnDownloadComplete(bool flag) override;
  void OnStatusText(const std::string& text) override;
  void OnProgress(int32_t) override {}
  void OnLocation(const std::string& url, const std::string& title, bool final) override;
  void OnHistoryNavigate(const std::string& url, const std::string& extra) override;
  bool WantsUrlReports() override { return false; }
  bool IsTourOwner() override { return true; }

 private:
  CSpyWnd& m_frame;
};
