#include "CSpyStatusAdapter.h"

#include "CSpyWnd.h"
#include "IPageFrameHost.h"

void CSpyStatusAdapter::OnNavigated(const std::string& url, const std::string& second) {
  m_frame.FollowPage(url, second);
}

void CSpyStatusAdapter::OnDownloadBegin() { m_frame.StartLoading(); }

void CSpyStatusAdapter::OnDownloadComplete(bool flag) {
  m_frame.Host().SetStatusText(CSpyWnd::kDoneText);
  m_frame.EndLoading(flag);
}

void CSpyStatusAdapter::OnStatusText(const std::string& text) { m_frame.Host().SetStatusText(text); }

void CSpyStatusAdapter::OnLocation(const std::string& url, const std::string& title, bool final) {
  m_frame.OnLocation(url, title, final);
}

void CSpyStatusAdapter::OnHistoryNavigate(const std::string& url, const std::string& extra) {
  m_frame.OnHistoryNavigate(url, extra);
}
