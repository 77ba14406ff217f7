// The idle prompt: asks a user who has not done anything for a while whether
// to stay online. It opens centred on the desktop.
#pragma once
#include "CDialog.h"

class CIdleDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 432;

  explicit CIdleDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

 protected:
  bool OnInitDialog() override;
};
