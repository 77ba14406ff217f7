#include "CDurationDlg.h"

#include <iterator>

#include "CDataExchange.h"
#include "ModuleState.h"

namespace {

constexpr UINT kTitleStrings[] = {428, 429, 430};
constexpr UINT kOtherString = 431;
constexpr UINT kForeverString = 432;
// Rows of the full list; "forever" is there for ejections only.
constexpr int kOtherRow = 2;
constexpr int kRowMinutes[] = {60, 120, 0, CDurationDlg::kForeverMinutes};

}  // namespace

BEGIN_MESSAGE_MAP(CDurationDlg, CDialog)
  ON_LBN_SELCHANGE(CDurationDlg::kChoiceList, OnChoiceChanged)
END_MESSAGE_MAP()

bool CDurationDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText(AfxLoadString(kTitleStrings[m_kind]));
  FillChoices();
  GetDlgItem(kMinutesEdit)->ShowWindow(SW_HIDE);
  GetDlgItem(kCommentEdit)->SetFocus();
  return false;
}

void CDurationDlg::FillChoices() {
  const HWND list = GetDlgItem(kChoiceList)->m_hWnd;
  auto add = [list](const std::string& text) {
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  };
  if (m_foreverOnly) {
    add(AfxLoadString(kForeverString));
  } else {
    add("60");
    add("120");
    add(AfxLoadString(kOtherString));
    if (m_kind == kEject) add(AfxLoadString(kForeverString));
  }
  ::SendMessageA(list, LB_SETCURSEL, 0, 0);
}

bool CDurationDlg::IsOtherChosen() const {
  return !m_foreverOnly &&
         ::SendMessageA(GetDlgItem(kChoiceList)->m_hWnd, LB_GETCURSEL, 0, 0) == kOtherRow;
}

// A row of minutes sets them; "other" opens the minutes field for typing.
void CDurationDlg::OnChoiceChanged() {
  CWnd* edit = GetDlgItem(kMinutesEdit);
  if (IsOtherChosen()) {
    SetDlgItemText(kMinutesEdit, std::string());
    edit->ShowWindow(SW_SHOW);
    edit->SetFocus();
    return;
  }
  const LRESULT row = ::SendMessageA(GetDlgItem(kChoiceList)->m_hWnd, LB_GETCURSEL, 0, 0);
  if (row >= 0 && row < static_cast<LRESULT>(std::size(kRowMinutes))) m_minutes = kRowMinutes[row];
  edit->ShowWindow(SW_HIDE);
  SetDlgItemText(kMinutesEdit, std::to_string(m_minutes));
}

void CDurationDlg::DoDataExchange(CDataExchange* dx) {
  if (!dx->m_bSaveAndValidate || IsOtherChosen()) DDX_Text(dx, kMinutesEdit, m_minutes);
  DDX_Text(dx, kCommentEdit, m_comment);
}
