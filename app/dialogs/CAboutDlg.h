// "About Lumora Chat": the product's version, build date and build number.
#pragma once
#include <string>

#include "CDialog.h"

class CAboutDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 100;
  static constexpr int kVersionText = 1008;
  static constexpr int kDateText = 1011;
  static constexpr int kBuildText = 1205;

  // brandCode: the three-letter brand code of the resource library.
  CAboutDlg(CWnd* parent, std::string brandCode)
      : CDialog(kTemplateId, parent), m_brandCode(std::move(brandCode)) {}

 protected:
  bool OnInitDialog() override;

 private:
  std::string m_brandCode;
};
