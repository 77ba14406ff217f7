#include "CGameDetailsDlg.h"

#include <cstdio>
#include <cstdlib>

#include "ZrMessageBox.h"

namespace {

constexpr UINT kNoFirstString = 199;
constexpr UINT kPlayersRangeString = 61222;

}  // namespace

BEGIN_MESSAGE_MAP(CGameDetailsDlg, CDialog)
  ON_BN_CLICKED(CGameDetailsDlg::kGoTo, OnGoTo)
END_MESSAGE_MAP()

bool CGameDetailsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(kNameEdit, m_name);
  SetDlgItemText(kPlayersEdit, std::to_string(m_players));
  SetDlgItemText(kCommentEdit, m_comment);
  ::SendMessageA(GetDlgItem(kCommentEdit)->m_hWnd, EM_LIMITTEXT, kMaxCommentChars, 0);
  if (m_mode == Mode::kNewGroup) {
    char bounds[40];
    std::snprintf(bounds, sizeof(bounds), "[ %d - %d ]", m_minPlayers, m_maxPlayers);
    SetDlgItemText(kBoundsLabel, bounds);
    GetDlgItem(kPlayersEdit)->EnableWindow(m_minPlayers != m_maxPlayers);
  } else {
    GetDlgItem(kBoundsLabel)->ShowWindow(SW_HIDE);
    GetDlgItem(kNameEdit)->EnableWindow(false);
    GetDlgItem(kPlayersEdit)->EnableWindow(false);
    if (!m_mayEdit) {
      ::SendMessageA(GetDlgItem(kCommentEdit)->m_hWnd, EM_SETREADONLY, TRUE, 0);
      GetDlgItem(IDCANCEL)->ShowWindow(SW_HIDE);
    }
  }
  SetDlgItemText(kAddress, m_address);
  if (m_address.empty()) {
    for (int id : {kAddress, kGoTo, kAddressLabel}) GetDlgItem(id)->ShowWindow(SW_HIDE);
  }
  return true;
}

void CGameDetailsDlg::OnOK() {
  if (m_mode == Mode::kNewGroup) {
    const std::string players = GetDlgItemText(kPlayersEdit);
    char* end = nullptr;
    const long value = std::strtol(players.c_str(), &end, 10);
    if (players.empty() || *end != '\0' || value < m_minPlayers || value > m_maxPlayers) {
      MessageBoxIds2(kNoFirstString, kPlayersRangeString, static_cast<int>(m_minPlayers),
                     static_cast<int>(m_maxPlayers));
      GetDlgItem(kPlayersEdit)->SetFocus();
      return;
    }
    m_players = value;
    m_name = GetDlgItemText(kNameEdit);
  }
  m_comment = GetDlgItemText(kCommentEdit);
  CDialog::OnOK();
}

void CGameDetailsDlg::OnGoTo() {
  if (m_goTo) m_goTo(m_address);
  EndDialog(IDCANCEL);
}
