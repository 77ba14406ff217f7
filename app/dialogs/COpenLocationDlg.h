// "Open Location": the address of a page to open. OK ends with it in
// m_location.
#pragma once
#include <string>

#include "CDialog.h"

class COpenLocationDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 435;
  static constexpr int kLocationEdit = 1182;

  explicit COpenLocationDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

  std::string m_location;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
};
