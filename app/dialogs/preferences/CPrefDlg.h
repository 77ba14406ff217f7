// The preferences sheet: the General and Folders pages over part of the
// settings, run modally. Apply and Help are not offered; OK writes both
// pages back and saves the settings, Cancel leaves everything as it was.
#pragma once
#include "CPrefDirPage.h"
#include "CPrefGeneralPage.h"
#include "CPropertySheet.h"

class CPrefDlg : public CPropertySheet {
 public:
  static constexpr UINT kTitleText = 263;

  CPrefDlg(CZrSettings& settings, bool canSendFiles, CPrefGeneralPage::HomePageSink homePage,
           CWnd* parent);

  bool OnInitDialog() override;

 private:
  void DropApplyAndHelp();

  CPrefGeneralPage m_general;
  CPrefDirPage m_folders;
};
