#include "CAuditoriumVoteDlg.h"

#include <cstdio>

#include "ModuleState.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kBlankString = 199;
constexpr UINT kSelectUpToString = 298;  // "Please select up to %d vote option(s)."
constexpr UINT kNotActiveString = 316;
constexpr UINT kCaptionString = 1315;
constexpr UINT kSelectOneString = 1316;
constexpr UINT kSelectManyString = 1317;  // "Vote options (select up to %d options)"
constexpr int kRowGap = 4;
constexpr int kLastCheck = CAuditoriumVoteDlg::kFirstCheck + CAuditoriumVoteDlg::kMaxOptions - 1;

RECT ChildRect(HWND dialog, int id) {
  RECT rect{};
  ::GetWindowRect(::GetDlgItem(dialog, id), &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveDown(HWND dialog, int id, int by) {
  const RECT rect = ChildRect(dialog, id);
  ::SetWindowPos(::GetDlgItem(dialog, id), nullptr, rect.left, rect.top + by, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

// A control like the template's, `by` pixels lower, with the next id.
HWND CopyControl(HWND dialog, int templateId, int id, int by, const std::string& text) {
  HWND model = ::GetDlgItem(dialog, templateId);
  const RECT rect = ChildRect(dialog, templateId);
  char className[32] = {};
  ::GetClassNameA(model, className, sizeof(className));
  const DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(model, GWL_STYLE));
  HWND copy = ::CreateWindowExA(0, className, text.c_str(), style, rect.left, rect.top + by, rect.right - rect.left,
                                rect.bottom - rect.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(copy, WM_SETFONT, ::SendMessageA(model, WM_GETFONT, 0, 0), TRUE);
  return copy;
}

std::string FormatNumber(const std::string& format, int value) {
  char text[256];
  std::snprintf(text, sizeof(text), format.c_str(), value);
  return text;
}

}  // namespace

CAuditoriumVoteDlg* CAuditoriumVoteDlg::s_open = nullptr;

BEGIN_MESSAGE_MAP(CAuditoriumVoteDlg, CDialog)
  ON_COMMAND_RANGE(CAuditoriumVoteDlg::kFirstCheck, kLastCheck, OnOption)
  ON_BN_CLICKED(CAuditoriumVoteDlg::kVoteNow, OnVoteNow)
END_MESSAGE_MAP()

CAuditoriumVoteDlg::CAuditoriumVoteDlg(IAuditoriumEventHost& host, const VoteDefinition& vote)
    : CDialog(kTemplateId),
      m_host(host),
      m_vote(vote),
      m_selection(static_cast<int>(vote.labels.size()), vote.maxSelections) {}

void CAuditoriumVoteDlg::Open(CWnd* parent, IAuditoriumEventHost& host, const VoteDefinition& vote) {
  CloseOpen();
  if (vote.labels.empty() || vote.labels.size() > static_cast<size_t>(kMaxOptions)) return;
  auto* dialog = new CAuditoriumVoteDlg(host, vote);
  if (!dialog->Create(kTemplateId, parent)) {
    delete dialog;
    return;
  }
  dialog->ShowWindow(SW_SHOW);
}

void CAuditoriumVoteDlg::CloseOpen() {
  if (s_open) s_open->DestroyWindow();
}

bool CAuditoriumVoteDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  s_open = this;
  SetWindowText(AfxLoadString(kCaptionString) + m_vote.title);
  SetDlgItemText(kOptionsBox, m_vote.maxSelections == 1
                                  ? AfxLoadString(kSelectOneString)
                                  : FormatNumber(AfxLoadString(kSelectManyString), m_vote.maxSelections));
  SetDlgItemText(kPrompt, m_vote.prompt);
  AddOptions();
  if (m_pParentWnd) CenterWindow(m_pParentWnd);
  return true;
}

// The first option uses the template's controls; each further one is made
// a row lower, and the box, the buttons and the dialog grow by the rows.
void CAuditoriumVoteDlg::AddOptions() {
  const RECT check = ChildRect(m_hWnd, kFirstCheck);
  const int pitch = check.bottom - check.top + kRowGap;
  const int options = static_cast<int>(m_vote.labels.size());
  const auto optionText = [this](int i) { return m_vote.labels[i] + " " + m_vote.texts[i]; };
  SetDlgItemText(kFirstText, optionText(0));
  for (int i = 1; i < options; ++i) {
    CopyControl(m_hWnd, kFirstCheck, kFirstCheck + i, i * pitch, std::string());
    CopyControl(m_hWnd, kFirstText, kFirstText + i, i * pitch, optionText(i));
  }
  const int growth = (options - 1) * pitch;
  if (growth == 0) return;
  const RECT box = ChildRect(m_hWnd, kOptionsBox);
  ::SetWindowPos(GetDlgItem(kOptionsBox)->m_hWnd, nullptr, 0, 0, box.right - box.left, box.bottom - box.top + growth,
                 SWP_NOMOVE | SWP_NOZORDER);
  MoveDown(m_hWnd, kVoteNow, growth);
  MoveDown(m_hWnd, IDCANCEL, growth);
  RECT frame{};
  ::GetWindowRect(m_hWnd, &frame);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + growth,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void CAuditoriumVoteDlg::OnOption(UINT id) {
  const int option = static_cast<int>(id) - kFirstCheck + 1;
  if (m_selection.Toggle(option) == VoteSelection::Click::kRefused) TellMaximum();
  ShowChoices();
}

// The buttons check themselves on a click: they are set back to the
// choices kept.
void CAuditoriumVoteDlg::ShowChoices() {
  for (int i = 0; i < static_cast<int>(m_vote.labels.size()); ++i)
    ::CheckDlgButton(m_hWnd, kFirstCheck + i, m_selection.IsChosen(i + 1) ? BST_CHECKED : BST_UNCHECKED);
}

void CAuditoriumVoteDlg::TellMaximum() const { MessageBoxIds2(kBlankString, kSelectUpToString, m_vote.maxSelections); }

void CAuditoriumVoteDlg::OnVoteNow() {
  if (!m_selection.IsComplete()) {
    TellMaximum();
    return;
  }
  if (!m_host.SendToAdministrator(IAuditoriumEventHost::kVoteRequest, VoteRequestText(m_vote.id, m_selection.Chosen())))
    MessageBoxIds2(kBlankString, kNotActiveString);
  DestroyWindow();
}

void CAuditoriumVoteDlg::OnCancel() { DestroyWindow(); }

void CAuditoriumVoteDlg::PostNcDestroy() {
  if (s_open == this) s_open = nullptr;
  delete this;
}
