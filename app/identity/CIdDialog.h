// "My Identity": the local user's identity sheet with the Basic Info and
// About Me pages. Its Apply button, relabelled "OK", stands alone beside
// Cancel: it sends the changed name, location and e-mail while the
// application runs, stores every text in the settings' identity and ends
// the sheet with 1.
#pragma once
#include <functional>

#include "CAboutMe.h"
#include "CBasicInfo.h"
#include "CPropertySheet.h"

class CZrSettings;

class CIdDialog : public CPropertySheet {
 public:
  static constexpr UINT kCaptionText = 449;
  static constexpr UINT kOkText = 542;
  static constexpr int kApplyButton = 0x3021;
  static constexpr int kHelpButton = 9;
  // Sends the local user's information request with the changed texts.
  using InfoSender = std::function<void(const CMyInfoChange&)>;

  // running: the application runs (the changes are sent); connected: the
  // nickname is fixed; namesFromServer: so is the name.
  CIdDialog(CZrSettings& settings, const CBasicInfoValues& basic, bool running, bool connected,
            bool namesFromServer, InfoSender sendInfo, CWnd* parent);

  bool OnInitDialog() override;

 protected:
  void OnApplyAsOk();
  LRESULT OnFocusMessage(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  static constexpr UINT kFocusMessage = WM_APP + 1;

  void ShowOkAlone();

  CZrSettings& m_settings;
  bool m_running;
  InfoSender m_sendInfo;
  CBasicInfo m_basic;
  CAboutMe m_aboutMe;
};
