#include "CBrowser.h"

#include "CSpecialUrlChain.h"
#include "IBrowserHost.h"
#include "IBrowserOwner.h"
#include "ZrMessageBox.h"

IMPLEMENT_DYNCREATE(CBrowser, CView)

BEGIN_MESSAGE_MAP(CBrowser, CView)
  ON_WM_CLOSE()
END_MESSAGE_MAP()

CBrowser::CBrowser() = default;

CBrowser::~CBrowser() = default;

void CBrowser::SetHost(IBrowserHost* host) {
  m_host = host;
  m_chain = host ? std::make_unique<CSpecialUrlChain>(*host) : nullptr;
}

bool CBrowser::HasBackLink() const { return m_host && m_host->HasBackLink(); }

void CBrowser::Reattach() {}

bool CBrowser::Embed(int32_t, int32_t, int32_t, int32_t, HWND) { return false; }

void CBrowser::HideScrollBars() {}

bool CBrowser::CanGoBack() { return m_history.CanGoBack(HasBackLink()); }

bool CBrowser::CanGoForward() { return m_history.CanGoForward(); }

void CBrowser::GoBack() {
  std::string url;
  if (m_history.GoBack(HasBackLink(), url) && m_owner) m_owner->OnHistoryNavigate(url, "");
}

void CBrowser::GoForward() {
  std::string url;
  if (m_history.GoForward(url) && m_owner) m_owner->OnHistoryNavigate(url, "");
}

bool CBrowser::Attach(int32_t, int32_t, int32_t, int32_t, HWND) {
  MessageBoxIds3Info(kNoBrowserTitle, kNoBrowserText, kNoBrowserAdvice);
  return false;
}

void CBrowser::CloseBrowser() {}

void CBrowser::MoveBrowser(const RECT&) {}

void CBrowser::Navigate(const std::string&, int32_t, const std::string&) {}

void CBrowser::NavigateForce(const std::string&) {}

void CBrowser::Stop() {}

bool CBrowser::Refresh() { return false; }

void CBrowser::GetCurrentUrl(std::string&) {}

void CBrowser::PollIdle() {}

int32_t CBrowser::PollIdleWork() { return 0; }

int32_t CBrowser::PollBrowser() { return 0; }

void CBrowser::SetStatusTexts(const std::string&, const std::string&) {}

void CBrowser::OnDestroyView() {
  if (m_host) NavigateForce(m_host->GetWelcomeUrl());
  m_history.Clear();
}

void CBrowser::OnClose() {
  OnDestroyView();
  Default();
}

void CBrowser::AddToHistory(const std::string& url) { m_history.Add(url); }

bool CBrowser::HandleSpecialUrl(const std::string& url) { return m_chain && m_chain->Take(url, m_owner); }

bool CBrowser::HandlePlaceUrl(const std::string& url) { return m_chain && m_chain->HandlePlaceUrl(url, m_owner); }

bool CBrowser::HandleSlotUrl(const std::string& url) { return m_chain && m_chain->HandleSlotUrl(url); }

bool CBrowser::HandleInteractionUrl(const std::string& url) {
  return m_chain && m_chain->HandleInteractionUrl(url);
}

bool CBrowser::FindInteraction(const std::string& id, CZrPerson& recipient) {
  return m_chain && m_chain->FindInteraction(id, recipient);
}
