// CIEHostWnd: the owner of the embedded browser's control inside CIEBrowser.
// It makes the control, carries out the view's calls on it and turns the
// control's events into the reports of the view's owner: every address the
// control is about to load is offered to the view's special URLs first.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "CWebControl.h"

class CIEBrowser;
class IBrowserOwner;

class CIEHostWnd : public CWebControlEvents {
 public:
  static constexpr UINT kControlId = 1131;
  static constexpr DWORD kControlStyle = 0x54010000;  // child, visible, clip siblings, tab stop
  // A completed navigation whose address holds this text is a step in
  // between, never reported.
  static constexpr UINT kRedirectText = 559;

  CIEHostWnd(CIEBrowser& view, std::unique_ptr<CWebControl> control);
  ~CIEHostWnd() override;
  CIEHostWnd(const CIEHostWnd&) = delete;
  CIEHostWnd& operator=(const CIEHostWnd&) = delete;

  bool Create(HWND parent, const RECT& rect, IBrowserOwner* owner);
  HWND GetControlWindow() const;
  void Move(const RECT& rect);
  void Navigate(const std::string& url, bool noCache);
  void Stop();
  void Refresh();
  // The control's address once it has reported a title; empty before.
  std::string GetCurrentUrl() const;

 private:
  void OnBeforeNavigate(const std::string& address, bool secondForm, bool& cancel) override;
  void OnFrameBeforeNavigate(const std::string& address, bool& cancel) override;
  void OnNavigateComplete(const std::string& address) override;
  void OnStatusTextChange(const std::string& text) override;
  void OnProgressChange(long progress, long maximum) override;
  void OnDownloadBegin() override;
  void OnDownloadComplete() override;
  void OnTitleChange(const std::string& title) override;

  bool IsRedirect(const std::string& address) const;
  // A control that never tells a completed navigation (Wine's) has done so
  // when loading ends on the address it was about to load.
  void CompleteUntoldNavigation();

  CIEBrowser& m_view;
  std::unique_ptr<CWebControl> m_control;
  bool m_created = false;
  bool m_titleSeen = false;
  std::string m_locationName;
  // The address of the navigation started and not yet told completed.
  std::string m_pendingUrl;
  IBrowserOwner* m_owner = nullptr;
};
