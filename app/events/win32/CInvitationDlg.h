// "Invitation": a host invites the local user onto the auditorium's stage.
// Accept moves the user there. Modeless; at most one is open.
#pragma once

#include <string>

#include "CDialog.h"
#include "IAuditoriumEventHost.h"

class CInvitationDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 362;
  static constexpr int kText = 1189;

  // Closes an open invitation and shows this one.
  static void Open(CWnd* parent, IAuditoriumEventHost& host, const std::string& inviter, const std::string& stagePlace);
  static void CloseOpen();

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;

 private:
  CInvitationDlg(IAuditoriumEventHost& host, std::string inviter, std::string stagePlace);

  static CInvitationDlg* s_open;
  IAuditoriumEventHost& m_host;
  std::string m_inviter;
  std::string m_stagePlace;
};
