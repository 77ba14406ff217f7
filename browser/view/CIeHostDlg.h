// CIeHostDlg: the empty child dialog inside CIEBrowser that is the parent of
// the embedded browser's control.
#pragma once

#include "CDialog.h"

class CIeHostDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 551;

  CIeHostDlg() : CDialog(kTemplateId) {}
  bool Create(CWnd* parent) { return CDialog::Create(kTemplateId, parent); }

 protected:
  // A child pane: Enter and Escape in the page must not end it.
  void OnOK() override {}
  void OnCancel() override {}
};
