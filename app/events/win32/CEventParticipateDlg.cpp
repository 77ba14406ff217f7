#include "CEventParticipateDlg.h"

#include "AuditoriumTexts.h"
#include "EventParticipation.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kBlankString = 199;
constexpr UINT kEnterYourString = 293;  // "Please enter your %s."
constexpr UINT kNotActiveString = 316;
constexpr UINT kTypeYourString = 514;
constexpr UINT kPromptTailString = 380;
constexpr int kButtonGap = 6;
constexpr int kLastKindButton = CEventParticipateDlg::kFirstKindButton + static_cast<int>(kMaxEventKinds) - 1;

RECT ChildRect(HWND dialog, HWND child) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

CEventParticipateDlg* CEventParticipateDlg::s_open = nullptr;

BEGIN_MESSAGE_MAP(CEventParticipateDlg, CDialog)
  ON_COMMAND_RANGE(CEventParticipateDlg::kFirstKindButton, kLastKindButton, OnKind)
END_MESSAGE_MAP()

CEventParticipateDlg::CEventParticipateDlg(IAuditoriumEventHost& host, const EventParticipation& participation)
    : CDialog(kTemplateId),
      m_host(host),
      m_kinds(participation.Kinds()),
      m_prompt(participation.Prompt(AfxLoadString(kTypeYourString), AfxLoadString(kPromptTailString))) {}

void CEventParticipateDlg::Open(CWnd* parent, IAuditoriumEventHost& host, const EventParticipation& participation) {
  CloseOpen();
  if (participation.Kinds().empty()) return;
  auto* dialog = new CEventParticipateDlg(host, participation);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return;
  }
  dialog->ShowWindow(SW_SHOW);
}

void CEventParticipateDlg::CloseOpen() {
  if (s_open) s_open->DestroyWindow();
}

bool CEventParticipateDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = this;
  SetDlgItemText(kPrompt, m_prompt);
  GetDlgItem(kText)->SendMessage(EM_LIMITTEXT, kMaxQuestionChars);
  AddKindButtons();
  if (m_pParentWnd) CenterWindow(m_pParentWnd);
  return true;
}

// The template's button is the first kind's; the others follow it to the
// right, and the dialog widens when they do not fit.
void CEventParticipateDlg::AddKindButtons() {
  HWND first = GetDlgItem(kFirstKindButton)->m_hWnd;
  ::SetWindowTextA(first, m_kinds[0].c_str());
  const RECT home = ChildRect(m_hWnd, first);
  const int width = home.right - home.left;
  const HFONT font = reinterpret_cast<HFONT>(::SendMessageA(first, WM_GETFONT, 0, 0));
  int right = home.right;
  for (size_t i = 1; i < m_kinds.size(); ++i) {
    const int left = home.left + static_cast<int>(i) * (width + kButtonGap);
    HWND button = ::CreateWindowExA(0, "BUTTON", m_kinds[i].c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                    left, home.top, width, home.bottom - home.top, m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstKindButton + i)),
                                    ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    right = left + width;
  }
  RECT client{};
  GetClientRect(&client);
  const int missing = right + home.left - client.right;
  if (missing <= 0) return;
  RECT frame{};
  ::GetWindowRect(m_hWnd, &frame);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left + missing, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void CEventParticipateDlg::OnKind(UINT id) {
  const int number = static_cast<int>(id) - kFirstKindButton + 1;
  if (number < 1 || static_cast<size_t>(number) > m_kinds.size()) return;
  const std::string text = GetDlgItemText(kText);
  if (text.empty()) {
    MessageBoxIds2(kBlankString, kEnterYourString, m_kinds[number - 1].c_str());
    GetDlgItem(kText)->SetFocus();
    return;
  }
  const bool anonymous = ::IsDlgButtonChecked(m_hWnd, kAnonymous) == BST_CHECKED;
  const std::string request = AddRequestText(m_host.PlaceName(), number, anonymous, text);
  if (!m_host.SendToAdministrator(IAuditoriumEventHost::kAddRequest, request))
    MessageBoxIds2(kBlankString, kNotActiveString);
  DestroyWindow();
}

void CEventParticipateDlg::OnCancel() { DestroyWindow(); }

void CEventParticipateDlg::PostNcDestroy() {
  if (s_open == this) s_open = nullptr;
  delete this;
}
