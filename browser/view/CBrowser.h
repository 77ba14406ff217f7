// CBrowser: the view that stands for the web browser showing the current
// page, whatever browser really does it. The frame that creates it sets its
// owner and the application's services, then attaches or embeds it. The
// base class keeps the navigation history and runs the chain of special
// URLs, and its operations do nothing: it is the view used when no
// supported browser is installed. Browser variants derive from it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "CBrowserHistory.h"
#include "CView.h"

class CSpecialUrlChain;
class CZrPerson;
class IBrowserHost;
class IBrowserOwner;

class CBrowser : public CView {
  DECLARE_DYNCREATE(CBrowser)

 public:
  // Message strings of the box shown when no supported browser is found.
  static constexpr UINT kNoBrowserTitle = 199;
  static constexpr UINT kNoBrowserText = 579;
  static constexpr UINT kNoBrowserAdvice = 580;

  CBrowser();
  ~CBrowser() override;

  // Turns an embedded browser back into an attached one.
  virtual void Reattach();
  virtual bool Embed(int32_t left, int32_t top, int32_t right, int32_t bottom, HWND parent);
  virtual void HideScrollBars();
  virtual bool CanGoBack();
  virtual bool CanGoForward();
  // Steps through the history; the entry reached goes to the owner's
  // OnHistoryNavigate to be opened.
  virtual void GoBack();
  virtual void GoForward();
  // Attaches to a running browser. Here: tells the user that no supported
  // browser was found and fails.
  virtual bool Attach(int32_t left, int32_t top, int32_t right, int32_t bottom, HWND parent);
  virtual void CloseBrowser();
  virtual void MoveBrowser(const RECT& rect);
  virtual void Navigate(const std::string& url, int32_t cacheFlag, const std::string& extra);
  virtual void NavigateForce(const std::string& url);
  virtual void Stop();
  virtual bool Refresh();
  virtual void GetCurrentUrl(std::string& url);
  // Idle polls of the application's idle handling; PollBrowser answers
  // whether the browser wants idle time again at once.
  virtual void PollIdle();
  virtual int32_t PollIdleWork();
  virtual int32_t PollBrowser();
  virtual void SetStatusTexts(const std::string& first, const std::string& second);
  // Run when the view closes: shows the local welcome page, then empties
  // the history.
  virtual void OnDestroyView();

  // Records a page that the browser now shows.
  void AddToHistory(const std::string& url);
  // Offers url to the special-URL chain; true when the client took it, and
  // the browser must not load it.
  bool HandleSpecialUrl(const std::string& url);
  bool HandlePlaceUrl(const std::string& url);
  bool HandleSlotUrl(const std::string& url);
  bool HandleInteractionUrl(const std::string& url);
  // Hands the items of a waiting interaction to the person who answered.
  bool FindInteraction(const std::string& id, CZrPerson& recipient);

  void SetOwner(IBrowserOwner* owner) { m_owner = owner; }
  IBrowserOwner* GetOwner() const { return m_owner; }
  void SetHost(IBrowserHost* host);
  // Where the view hands the address of a page it is about to load when its
  // owner wants those reports (the directory window keeps it).
  void SetUrlReport(std::function<void(const std::string&)> report) { m_urlReport = std::move(report); }
  void ReportUrl(const std::string& url) {
    if (m_urlReport) m_urlReport(url);
  }
  void SetViewName(const std::string& name) { m_viewName = name; }
  const std::string& GetViewName() const { return m_viewName; }
  bool IsEmbedded() const { return m_embedded != 0; }
  void SetRecordNext(int32_t value) { m_history.SetRecordNext(value); }
  const CBrowserHistory& GetHistory() const { return m_history; }

 protected:
  void SetEmbedded(bool embedded) { m_embedded = embedded ? 1 : 0; }
  bool HasBackLink() const;
  void OnClose();

  DECLARE_MESSAGE_MAP()

 private:
  CBrowserHistory m_history;
  std::unique_ptr<CSpecialUrlChain> m_chain;
  int32_t m_embedded = 0;
  IBrowserOwner* m_owner = nullptr;
  IBrowserHost* m_host = nullptr;
  std::string m_viewName;
  std::function<void(const std::string&)> m_urlReport;
};
