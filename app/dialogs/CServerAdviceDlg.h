// The second "Server Inaccessible" page: advice for users behind a firewall
// or without a working network connection. Cancel closes it.
#pragma once
#include "CDialog.h"

class CServerAdviceDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 501;

  explicit CServerAdviceDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

 protected:
  bool OnInitDialog() override;
};
