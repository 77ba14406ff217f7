// "Participate In The Event": the audience member writes a question or a
// comment and sends it as one of the event's participation kinds, one
// button for each kind. Modeless; at most one is open.
#pragma once

#include <string>
#include <vector>

#include "CDialog.h"
#include "IAuditoriumEventHost.h"

class EventParticipation;

class CEventParticipateDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 359;
  static constexpr int kFirstKindButton = 1147;
  static constexpr int kPrompt = 1194;
  static constexpr int kText = 756;
  static constexpr int kAnonymous = 757;

  // Opens a new dialog (closing an open one); nothing opens while the event
  // takes no kind of participation.
  static void Open(CWnd* parent, IAuditoriumEventHost& host, const EventParticipation& participation);
  static void CloseOpen();
  static CEventParticipateDlg* Current() { return s_open; }

 protected:
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnKind(UINT id);
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  CEventParticipateDlg(IAuditoriumEventHost& host, const EventParticipation& participation);
  void AddKindButtons();

  static CEventParticipateDlg* s_open;
  IAuditoriumEventHost& m_host;
  std::vector<std::string> m_kinds;
  std::string m_prompt;
};
