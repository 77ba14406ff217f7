#include "CGameListDlg.h"

#include "ZrMessageBox.h"

namespace {

constexpr UINT kNoFirstString = 199;
constexpr UINT kNoGamesString = 61256;

}  // namespace

bool CGameListDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_games = CGamesRegistry::ListGames();
  if (m_games.empty()) {
    MessageBoxIds2(kNoFirstString, kNoGamesString);
    EndDialog(IDCANCEL);
    return false;
  }
  const HWND list = GetDlgItem(kGameList)->m_hWnd;
  for (size_t index = 0; index < m_games.size(); ++index) {
    const LRESULT row = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_games[index].name.c_str()));
    if (row >= 0) ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(index));
  }
  ::SendMessageA(list, LB_SETCURSEL, 0, 0);
  return true;
}

void CGameListDlg::OnOK() {
  const HWND list = GetDlgItem(kGameList)->m_hWnd;
  const LRESULT row = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (row < 0) return;
  const auto index = static_cast<size_t>(::SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
  if (index >= m_games.size()) return;
  m_serverClass = m_games[index].serverClass;
  CDialog::OnOK();
}
