// The "Folders" page of the preferences: the community list file, the
// browser, the four galleries and the favourite places list, three of them
// with a Browse button. Its values come from the settings when it is made
// and go back, with the settings saved, when the sheet is closed with OK.
#pragma once
#include <string>

#include "CPropertyPage.h"
#include "ZrFolderPrefs.h"

class CZrSettings;

class CPrefDirPage : public CPropertyPage {
 public:
  static constexpr UINT kTemplateId = 123;

  explicit CPrefDirPage(CZrSettings& settings);

 protected:
  void OnOK() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnBrowseListFile();
  void OnBrowseBrowser();
  void OnBrowseFavorite();

  DECLARE_MESSAGE_MAP()

 private:
  // A file-open dialog with filter; the chosen path goes into path and the
  // edit control.
  void Browse(int editId, std::string& path, const char* filter);

  CZrSettings& m_settings;
  CZrFolderPrefs m_values;
};
