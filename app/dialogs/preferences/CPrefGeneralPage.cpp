#include "CPrefGeneralPage.h"

#include <utility>

#include "CDataExchange.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"
#include "ZrSettings.h"

namespace {

constexpr int kAutoLandingBox = 1095;
constexpr int kBigHeadGalleryBox = 1209;
constexpr int kViewBigHeadsBox = 1330;
constexpr int kVoiceBox = 1210;
constexpr int kBalloonShortButton = 1043;
constexpr int kHomeUrlEdit = 1100;
constexpr int kGestureSoundsBox = 1077;
constexpr int kHomeServerEdit = 1099;
constexpr int kImagesAutoLoadBox = 1094;
constexpr int kImInternalBox = 1096;
constexpr int kObserversEdit = 1060;
constexpr int kIgnoreAllImsBox = 763;
constexpr int kAwayMessageEdit = 774;
constexpr int kSendFilesBox = 1183;

constexpr UINT kPreferencesText = 263;
constexpr UINT kObserverRangeText = 264;

}  // namespace

CPrefGeneralPage::CPrefGeneralPage(CZrSettings& settings, bool canSendFiles, HomePageSink homePage)
    : CPropertyPage(kTemplateId),
      m_settings(settings),
      m_canSendFiles(canSendFiles),
      m_homePage(std::move(homePage)),
      m_values(settings) {}

void CPrefGeneralPage::DoDataExchange(CDataExchange* dx) {
  DDX_Check(dx, kAutoLandingBox, m_values.m_autoLanding);
  DDX_Check(dx, kBigHeadGalleryBox, m_values.m_bigHeadGallery);
  DDX_Check(dx, kViewBigHeadsBox, m_values.m_viewBigHeads);
  DDX_Check(dx, kVoiceBox, m_values.m_voiceEnabled);
  DDX_Radio(dx, kBalloonShortButton, m_values.m_balloonTime);
  DDX_Text(dx, kHomeUrlEdit, m_values.m_homeURL);
  DDX_Check(dx, kGestureSoundsBox, m_values.m_gestureSounds);
  DDX_Text(dx, kHomeServerEdit, m_values.m_homeServer);
  DDX_Check(dx, kImagesAutoLoadBox, m_values.m_imagesAutoLoad);
  DDX_Check(dx, kImInternalBox, m_values.m_imInternal);
  DDX_Text(dx, kObserversEdit, m_values.m_observers);
  DDX_Check(dx, kIgnoreAllImsBox, m_values.m_ignoreAllIMs);
  DDX_Text(dx, kAwayMessageEdit, m_values.m_awayMsg);
  DDV_MaxChars(dx, m_values.m_awayMsg, CZrGeneralPrefs::kAwayMessageMaxChars);
  DDX_Check(dx, kSendFilesBox, m_values.m_enableSendingFiles);
}

bool CPrefGeneralPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (!m_canSendFiles) {
    ::ShowWindow(::GetDlgItem(m_hWnd, kSendFilesBox), SW_HIDE);
  }
  return true;
}

bool CPrefGeneralPage::OnKillActive() {
  if (!UpdateData(true)) return false;
  if (m_values.Check(AfxLoadString(CZrGeneralPrefs::kNotAcceptingImsText))) return true;
  RefuseObserverCount();
  return false;
}

void CPrefGeneralPage::RefuseObserverCount() {
  MessageBoxIds2(kPreferencesText, kObserverRangeText);
  HWND edit = ::GetDlgItem(m_hWnd, kObserversEdit);
  ::SetFocus(edit);
  ::SendMessageA(edit, EM_SETSEL, 0, -1);
  ::SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

void CPrefGeneralPage::OnOK() {
  m_values.WriteTo(m_settings, m_canSendFiles, m_homePage);
  m_settings.Save(true);
}
