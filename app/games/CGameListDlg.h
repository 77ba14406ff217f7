// "Game List": the games installed on the machine; OK keeps the chosen
// game's class identifier. With no game installed it says so and ends as
// cancelled.
#pragma once

#include <string>
#include <vector>

#include "CDialog.h"
#include "CGamesRegistry.h"

class CGameListDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 443;
  static constexpr int kGameList = 778;

  explicit CGameListDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

  const std::string& GetServerClass() const { return m_serverClass; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  std::vector<GameEntry> m_games;
  std::string m_serverClass;
};
