// "Game Details": the name, number of players and comment of a game group.
// For a new group the number must lie between the game's bounds (fixed when
// they agree); for an existing group name and number are shown only, and
// the comment is editable only by the game's leader. The information
// address of a game, when it has one, can be opened with "Go To".
#pragma once

#include <functional>
#include <string>

#include "CDialog.h"

class CGameDetailsDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 444;
  static constexpr int kNameEdit = 763;
  static constexpr int kPlayersEdit = 764;
  static constexpr int kCommentEdit = 765;
  static constexpr int kBoundsLabel = 789;
  static constexpr int kAddress = 793;
  static constexpr int kGoTo = 794;
  static constexpr int kAddressLabel = 795;
  static constexpr size_t kMaxCommentChars = 300;

  enum class Mode { kNewGroup, kShowGroup };

  CGameDetailsDlg(CWnd* parent, Mode mode) : CDialog(kTemplateId, parent), m_mode(mode) {}

  std::string m_name;
  long m_players = 0;
  std::string m_comment;
  short m_minPlayers = 0;
  short m_maxPlayers = 0;
  std::string m_address;
  bool m_mayEdit = true;
  // Opens the information address ("Go To").
  std::function<void(const std::string&)> m_goTo;

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnGoTo();

  DECLARE_MESSAGE_MAP()

 private:
  Mode m_mode;
};
