// The "General" page of the preferences: room entry, avatars, voice, balloon
// time, default place and community server, sounds, IMs, the observer count
// of the People List and file sending. Its values come from the settings
// when it is made; it checks them when it is left and writes them back,
// and saves the settings, when the sheet is closed with OK.
#pragma once
#include <functional>
#include <string>

#include "CPropertyPage.h"
#include "ZrGeneralPrefs.h"

class CZrSettings;

class CPrefGeneralPage : public CPropertyPage {
 public:
  static constexpr UINT kTemplateId = 124;
  using HomePageSink = std::function<void(const std::string&)>;

  // canSendFiles: the resource library offers file sending; homePage hears
  // the default place on OK.
  CPrefGeneralPage(CZrSettings& settings, bool canSendFiles, HomePageSink homePage);

 protected:
  bool OnInitDialog() override;
  bool OnKillActive() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* dx) override;

 private:
  void RefuseObserverCount();

  CZrSettings& m_settings;
  bool m_canSendFiles;
  HomePageSink m_homePage;
  CZrGeneralPrefs m_values;
};
