// "Server Inaccessible": the community server could not be reached. The user
// reconnects now (OK), gives up for now (Cancel) or asks for more
// information (the dialog ends with kMoreInfo and the caller shows
// CServerAdviceDlg).
#pragma once
#include "CDialog.h"

class CServerInaccessibleDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 500;
  static constexpr int kMoreInfo = 1204;

  explicit CServerInaccessibleDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

 protected:
  bool OnInitDialog() override;
  void OnMoreInfo();

  DECLARE_MESSAGE_MAP()
};
