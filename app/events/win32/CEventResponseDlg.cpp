#include "CEventResponseDlg.h"

#include "CEventQueueDlg.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kBlankString = 199;
constexpr UINT kEnterYourString = 293;  // "Please enter your %s."
constexpr UINT kNotActiveString = 316;
constexpr UINT kAnswerString = 1314;

}  // namespace

CEventResponseDlg* CEventResponseDlg::s_open = nullptr;

CEventResponseDlg::CEventResponseDlg(IAuditoriumEventHost& host, const EventQueue::Entry& entry,
                                     unsigned queueSerial, size_t index)
    : CDialog(kTemplateId), m_host(host), m_entry(entry), m_queueSerial(queueSerial), m_index(index) {}

void CEventResponseDlg::Open(CWnd* parent, IAuditoriumEventHost& host, const EventQueue::Entry& entry,
                             unsigned queueSerial, size_t index) {
  CloseOpen();
  auto* dialog = new CEventResponseDlg(host, entry, queueSerial, index);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return;
  }
  dialog->ShowWindow(SW_SHOW);
}

void CEventResponseDlg::CloseOpen() {
  if (s_open) s_open->DestroyWindow();
}

bool CEventResponseDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = this;
  if (m_pParentWnd) CenterWindow(m_pParentWnd);
  SetDlgItemText(kKindLabel, m_entry.item.kind + " From:");
  SetDlgItemText(kSender, m_entry.item.asker);
  SetDlgItemText(kQuestion, m_entry.item.question);
  GetDlgItem(kResponse)->SendMessage(EM_LIMITTEXT, kMaxQuestionChars);
  return true;
}

// The queue dialog may have closed meanwhile; the item leaves it only when
// it is still the one the question came from.
void CEventResponseDlg::OnOK() {
  const std::string response = GetDlgItemText(kResponse);
  if (response.empty()) {
    MessageBoxIds2(kBlankString, kEnterYourString, AfxLoadString(kAnswerString).c_str());
    GetDlgItem(kResponse)->SetFocus();
    return;
  }
  const bool sent = m_host.SendToAdministrator(IAuditoriumEventHost::kAnswerRequest,
                                               AnswerRequestText(m_entry.item.questionId, response));
  m_host.SendAnswerToHost(m_entry.host, AnswerToHostText(m_entry.item, response));
  if (!sent) MessageBoxIds2(kBlankString, kNotActiveString);
  CEventQueueDlg* queue = CEventQueueDlg::Current();
  const bool sameQueue = queue && queue->Serial() == m_queueSerial;
  const size_t index = m_index;
  DestroyWindow();  // deletes this dialog
  if (sent && sameQueue) queue->RemoveItem(index);
}

void CEventResponseDlg::OnCancel() { DestroyWindow(); }

void CEventResponseDlg::PostNcDestroy() {
  if (s_open == this) s_open = nullptr;
  delete this;
}
