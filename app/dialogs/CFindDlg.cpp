#include "CFindDlg.h"

#include "CDataExchange.h"

BEGIN_MESSAGE_MAP(CFindDlg, CDialog)
  ON_BN_CLICKED(CFindDlg::kFindNextButton, OnFindNext)
END_MESSAGE_MAP()

CFindDlg* CFindDlg::Open(CWnd* parent, const std::string& title) {
  auto* dialog = new CFindDlg;
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return nullptr;
  }
  dialog->SetWindowText(title);
  dialog->ShowWindow(SW_SHOW);
  return dialog;
}

std::unique_ptr<std::string> CFindDlg::TakeText(LPARAM lParam) {
  return std::unique_ptr<std::string>(reinterpret_cast<std::string*>(lParam));
}

void CFindDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, kTextEdit, m_text);
  DDX_Check(dx, kMatchCaseCheck, m_matchCase);
}

// The text travels in a copy of its own, which the receiver frees.
void CFindDlg::OnFindNext() {
  if (!UpdateData(true) || !m_pParentWnd) return;
  auto text = std::make_unique<std::string>(m_text);
  if (m_pParentWnd->PostMessage(kFindNext, m_matchCase ? 1 : 0, reinterpret_cast<LPARAM>(text.get())))
    text.release();
}

void CFindDlg::OnCancel() {
  if (m_pParentWnd) m_pParentWnd->PostMessage(kFindClosed);
  DestroyWindow();
}

void CFindDlg::PostNcDestroy() { delete this; }
