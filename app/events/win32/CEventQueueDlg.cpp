#include "CEventQueueDlg.h"

#include "CEventResponseDlg.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kCloseQuestionString = 1313;

}  // namespace

CEventQueueDlg* CEventQueueDlg::s_open = nullptr;
unsigned CEventQueueDlg::s_lastSerial = 0;

BEGIN_MESSAGE_MAP(CEventQueueDlg, CDialog)
  ON_LBN_SELCHANGE(CEventQueueDlg::kList, OnSelectionChanged)
  ON_BN_CLICKED(CEventQueueDlg::kRespond, OnRespond)
  ON_BN_CLICKED(CEventQueueDlg::kDelete, OnDelete)
END_MESSAGE_MAP()

CEventQueueDlg::CEventQueueDlg(IAuditoriumEventHost& host)
    : CDialog(kTemplateId), m_host(host), m_serial(++s_lastSerial) {}

void CEventQueueDlg::AddItem(CWnd* parent, IAuditoriumEventHost& host, uint32_t sender, const std::string& text) {
  if (!ParseQueueItem(text)) return;
  if (!s_open) {
    auto* dialog = new CEventQueueDlg(host);
    if (!dialog->Create(kTemplateId, parent)) {
      delete dialog;
      return;
    }
    dialog->ShowWindow(SW_SHOW);
  }
  if (s_open) s_open->Append(text, sender);
}

void CEventQueueDlg::CloseOpen() {
  if (s_open) s_open->DestroyWindow();
}

bool CEventQueueDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = this;
  if (m_pParentWnd) CenterWindow(m_pParentWnd);
  UpdateButtons();
  return true;
}

void CEventQueueDlg::Append(const std::string& text, uint32_t sender) {
  const std::optional<size_t> index = m_queue.Add(sender, text);
  if (!index) return;
  HWND list = GetDlgItem(kList)->m_hWnd;
  const std::string line = EventQueue::LineOf(m_queue.Find(*index)->item);
  const LRESULT at = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  if (at == LB_ERR || at == LB_ERRSPACE) {
    m_queue.Delete(*index);
    MessageBoxIds2(199, 170);
    return;
  }
  ::SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(*index));
}

int CEventQueueDlg::LineOf(size_t index) const {
  HWND list = GetDlgItem(kList)->m_hWnd;
  const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int line = 0; line < count; ++line)
    if (static_cast<size_t>(::SendMessageA(list, LB_GETITEMDATA, line, 0)) == index) return line;
  return -1;
}

int CEventQueueDlg::SelectedLine() const {
  return static_cast<int>(::SendMessageA(GetDlgItem(kList)->m_hWnd, LB_GETCURSEL, 0, 0));
}

void CEventQueueDlg::UpdateButtons() {
  const bool selected = SelectedLine() != LB_ERR;
  GetDlgItem(kRespond)->EnableWindow(selected);
  GetDlgItem(kDelete)->EnableWindow(selected);
}

void CEventQueueDlg::OnSelectionChanged() { UpdateButtons(); }

void CEventQueueDlg::OnRespond() {
  const int line = SelectedLine();
  if (line == LB_ERR) return;
  const auto index = static_cast<size_t>(::SendMessageA(GetDlgItem(kList)->m_hWnd, LB_GETITEMDATA, line, 0));
  const EventQueue::Entry* entry = m_queue.Find(index);
  if (entry) CEventResponseDlg::Open(m_pParentWnd, m_host, *entry, m_serial, index);
}

void CEventQueueDlg::OnDelete() {
  const int line = SelectedLine();
  if (line == LB_ERR) return;
  RemoveItem(static_cast<size_t>(::SendMessageA(GetDlgItem(kList)->m_hWnd, LB_GETITEMDATA, line, 0)));
}

void CEventQueueDlg::RemoveItem(size_t index) {
  const int line = LineOf(index);
  if (!m_queue.Delete(index) || line < 0) return;
  ::SendMessageA(GetDlgItem(kList)->m_hWnd, LB_DELETESTRING, static_cast<WPARAM>(line), 0);
  if (m_queue.LiveCount() == 0) {
    DestroyWindow();
    return;
  }
  UpdateButtons();
}

void CEventQueueDlg::OnCancel() {
  if (m_queue.LiveCount() > 0 && CZrMessageBox::Current() &&
      CZrMessageBox::Current()->Ask(kCloseQuestionString, MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  DestroyWindow();
}

void CEventQueueDlg::PostNcDestroy() {
  if (s_open == this) s_open = nullptr;
  delete this;
}
