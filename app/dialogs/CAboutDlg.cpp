#include "CAboutDlg.h"

#include "ModuleState.h"

namespace {

constexpr UINT kVersionString = 236;
constexpr UINT kCreatedOnString = 237;
constexpr UINT kBitWidthString = 538;
constexpr char kBuildDate[] = "Dec 18 2000";
constexpr int kBuildNumber = 160;

}  // namespace

bool CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(kVersionText, AfxLoadString(kVersionString) + " " + m_brandCode);
  SetDlgItemText(kDateText, AfxLoadString(kCreatedOnString) + " " + kBuildDate);
  SetDlgItemText(kBuildText, "Build " + std::to_string(kBuildNumber) + " " +
                                 AfxLoadString(kBitWidthString) + ")");
  return true;
}
