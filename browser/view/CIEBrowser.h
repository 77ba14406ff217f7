// CIEBrowser: the browser view that shows pages in the system's embedded
// web browser control, hosted in the client's own window. Every address the
// control is about to load goes to the special URLs first; a taken one is
// cancelled. The control's events become the owner's reports.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "CBrowser.h"

class CIEHostWnd;
class CIeHostDlg;
class CWebControl;

class CIEBrowser : public CBrowser {
  DECLARE_DYNCREATE(CIEBrowser)

 public:
  // Message strings of the box shown when the control cannot be made.
  static constexpr UINT kNoControlTitle = 199;
  static constexpr UINT kNoControlText = 560;
  // Styles the view takes when the control is attached: visible, clip
  // children, clip siblings.
  static constexpr DWORD kAttachedStyles = 0x16000000;
  using ControlFactory = std::function<std::unique_ptr<CWebControl>()>;

  CIEBrowser();
  ~CIEBrowser() override;

  // The control the next Attach makes; the system's control unless set.
  void SetControlFactory(ControlFactory factory) { m_factory = std::move(factory); }

  bool Attach(int32_t left, int32_t top, int32_t right, int32_t bottom, HWND parent) override;
  void HideScrollBars() override;
  void MoveBrowser(const RECT& rect) override;
  void Navigate(const std::string& url, int32_t cacheFlag, const std::string& extra) override;
  void NavigateForce(const std::string& url) override;
  void Stop() override;
  bool Refresh() override;
  void GetCurrentUrl(std::string& url) override;

  // Runs the special URLs; true (and cancel set) when one took url.
  bool HandleSpecialUrl(const std::string& url, bool& cancel);
  using CBrowser::HandleSpecialUrl;
  HWND GetControlWindow() const;

 protected:
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  void FitToView();

  ControlFactory m_factory;
  std::unique_ptr<CIeHostDlg> m_hostDlg;
  std::unique_ptr<CIEHostWnd> m_host;
};
