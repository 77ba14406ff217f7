// "Auditorium Vote": a host's vote put to the audience. One check button
// per option, the dialog grown to hold them; the options chosen go to the
// administrator with "Vote Now". Modeless; at most one is open.
#pragma once

#include "AuditoriumTexts.h"
#include "CDialog.h"
#include "IAuditoriumEventHost.h"
#include "VoteSelection.h"

class CAuditoriumVoteDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 360;
  static constexpr int kPrompt = 779;
  static constexpr int kOptionsBox = 767;
  static constexpr int kFirstCheck = 1153;
  static constexpr int kFirstText = 1163;
  static constexpr int kVoteNow = 1173;
  static constexpr int kMaxOptions = 10;

  // Closes an open vote and opens this one.
  static void Open(CWnd* parent, IAuditoriumEventHost& host, const VoteDefinition& vote);
  static void CloseOpen();
  static CAuditoriumVoteDlg* Current() { return s_open; }

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnOption(UINT id);
  void OnVoteNow();
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  CAuditoriumVoteDlg(IAuditoriumEventHost& host, const VoteDefinition& vote);
  void AddOptions();
  void ShowChoices();
  void TellMaximum() const;

  static CAuditoriumVoteDlg* s_open;
  IAuditoriumEventHost& m_host;
  VoteDefinition m_vote;
  VoteSelection m_selection;
};
