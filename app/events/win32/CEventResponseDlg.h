// "Event Invitee Response": the moderator's answer to one queued question.
// The answer goes to the administrator and back to the host who queued the
// question. Modeless; at most one is open.
#pragma once

#include <string>

#include "CDialog.h"
#include "EventQueue.h"
#include "IAuditoriumEventHost.h"

class CEventResponseDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 410;
  static constexpr int kKindLabel = 1205;
  static constexpr int kSender = 1179;
  static constexpr int kQuestion = 1178;
  static constexpr int kResponse = 1176;

  // Answers the entry at the index of the queue of the queue dialog with
  // that serial, closing an open response first.
  static void Open(CWnd* parent, IAuditoriumEventHost& host, const EventQueue::Entry& entry, unsigned queueSerial,
                   size_t index);
  static void CloseOpen();

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;

 private:
  CEventResponseDlg(IAuditoriumEventHost& host, const EventQueue::Entry& entry, unsigned queueSerial, size_t index);

  static CEventResponseDlg* s_open;
  IAuditoriumEventHost& m_host;
  EventQueue::Entry m_entry;
  unsigned m_queueSerial;
  size_t m_index;
};
