// CWebHost: the directory browser's host of its web control. It carries out
// the frame's navigation commands, turns the control's events into reports to
// the frame, and before every navigation asks whether the browser may go
// there, waiting for the answer in a message loop.
#pragma once

#include <memory>
#include <string>

#include "CNavAnswerList.h"
#include "CWebControl.h"
#include "CWebHostBase.h"

class CWebHost : public CWebHostBase, private CWebControlEvents {
 public:
  static constexpr UINT kControlId = 101;
  static constexpr char kControlName[] = "WWWCtrl";
  static constexpr DWORD kControlStyle = 0x54000000;  // child, visible, clip-siblings

  CWebHost(CWebHostNotify& notify, std::unique_ptr<CWebControl> control);
  ~CWebHost() override;

  bool Create(const RECT& rect, HWND parent) override;
  void Move(const RECT& rect) override;
  // A different address loads (without the cache unless allowCache), the
  // address already shown is refreshed; force always loads.
  void Navigate(const std::string& address, bool allowCache, bool force) override;
  void NavigateTo(const std::string& address) override;
  void Stop() override;
  void Refresh() override;
  std::string GetLocationURL() const override;
  void RemoveScrollBars() override;
  bool AskNavigation(const std::string& address, bool& cancel) override;

  // The client's answer to a question about address.
  void AddAnswer(const std::string& address, CNavAnswerList::Answer answer);
  bool IsAsking() const { return m_asking > 0; }
  // Ends every waiting question as cancelled, now and from now on: the frame
  // is closing.
  void AbandonQuestions() { m_abandoned = true; }
  bool IsBusy() const { return m_busy; }
  HWND ControlWindow() const;

 private:
  void OnBeforeNavigate(const std::string& address, bool secondForm, bool& cancel) override;
  void OnNavigateComplete(const std::string& address) override;
  void OnStatusTextChange(const std::string& text) override;
  void OnProgressChange(long progress, long maximum) override;
  void OnDownloadBegin() override;
  void OnDownloadComplete() override;
  void OnTitleChange(const std::string& title) override;

  // Runs the thread's messages until an answer for address arrives; the
  // answer, or kStay when the wait ends without one.
  CNavAnswerList::Answer WaitForAnswer(const std::string& address);

  std::unique_ptr<CWebControl> m_control;
  bool m_created = false;
  bool m_busy = false;
  int m_asking = 0;
  bool m_abandoned = false;
  bool m_titleChanged = false;
  std::string m_pageTitle;
  CNavAnswerList m_answers;
};
