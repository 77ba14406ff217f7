#include "CIdleDlg.h"

bool CIdleDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  RECT rect{};
  GetWindowRect(&rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}
