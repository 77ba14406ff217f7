#include "CChatPage.h"

#include <algorithm>

#include "CChatTabWnd.h"
#include "CFileDialog.h"
#include "ChatTextCleaner.h"
#include "ModuleState.h"
#include "IChatPageHost.h"
#include "ControlResources.h"
#include "ZrMessageBox.h"

namespace {

constexpr UINT kCloseImCommand = 32821;
constexpr UINT kSaveAsCommand = 32824;
// Message strings: a blank first line, the character limit, the line shown
// on leaving a private room.
constexpr UINT kBlankString = 199;
constexpr UINT kTooLongString = 203;
constexpr UINT kLeftPrivateRoomString = 333;
// Resource colours: the face of docked pages' buttons.
constexpr uint32_t kDockedColourIndex = 9;
constexpr char kTranscriptFilter[] = "Chat transcript (*.txt) |*.txt||";

IChatPageHost* g_host = nullptr;

RECT ChildRect(CWnd* dialog, UINT id) {
  RECT rect{};
  HWND child = ::GetDlgItem(dialog->GetSafeHwnd(), static_cast<int>(id));
  if (!child) return rect;
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, dialog->GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

BEGIN_MESSAGE_MAP(CChatPage, CPaneDlg)
  ON_BN_CLICKED(kSendId, OnSend)
  ON_BN_CLICKED(kMakeTabId, OnMakeTab)
  ON_EN_CHANGE(CChatEdit::kControlId, OnInputChanged)
  ON_COMMAND(kCloseImCommand, OnCloseTab)
  ON_COMMAND(kSaveAsCommand, OnSaveAs)
  ON_COMMAND_RANGE(CChatEdit::kClearAll, CChatEdit::kUndo, OnEditCommand)
  ON_UPDATE_COMMAND_UI(CChatEdit::kClearAll, OnUpdateEditCommand)
  ON_UPDATE_COMMAND_UI(CChatEdit::kCopy, OnUpdateEditCommand)
  ON_UPDATE_COMMAND_UI(CChatEdit::kCut, OnUpdateEditCommand)
  ON_UPDATE_COMMAND_UI(CChatEdit::kPaste, OnUpdateEditCommand)
  ON_UPDATE_COMMAND_UI(CChatEdit::kUndo, OnUpdateEditCommand)
END_MESSAGE_MAP()

CChatPage::CChatPage(ChatPageKind kind, const std::string& title, UINT templateId)
    : CPaneDlg(static_cast<uint32_t>(kind), templateId, title) {}

CChatPage::~CChatPage() {
  if (m_hWnd) DestroyWindow();
}

void CChatPage::SetHost(IChatPageHost* host) { g_host = host; }

IChatPageHost* CChatPage::Host() { return g_host; }

bool CChatPage::OnInitDialog() {
  CPaneDlg::OnInitDialog();
  const RECT transcript = ChildRect(this, kTranscriptId);
  const RECT input = ChildRect(this, CChatEdit::kControlId);
  m_margin = transcript.left;
  m_top = transcript.top;
  m_inputHeight = Height(input);
  m_buttonHeight = Height(ChildRect(this, kSendId));
  m_sendWidth = Width(ChildRect(this, kSendId));
  m_gesturesWidth = Width(ChildRect(this, kGesturesId));
  m_makeTabWidth = Width(ChildRect(this, kMakeTabId));

  m_transcript.Create(this, kTranscriptId);
  m_transcript.SetMenuClosedHandler([this] { SetInputFocus(); });
  m_transcript.SetPrivateRoomQuery([] { return g_host && g_host->IsPrivateRoom(); });
  m_input.SubclassDlgItem(CChatEdit::kControlId, this);
  m_input.SendMessage(EM_LIMITTEXT, 0);
  m_input.SetTypingEndedHandler([this] { SetTypingState(false); });
  auto openIm = [] {
    if (g_host) g_host->OpenSendImDialog();
  };
  m_input.SetInstantMessageHandler(openIm);
  m_transcript.SetInstantMessageHandler(openIm);
  if (m_send.SubclassDlgItem(kSendId, this))
    m_send.SetColors(0, 0, ResourceColour(kDockedColourIndex), RGB(0, 0, 0));
  if (m_gestures.SubclassDlgItem(kGesturesId, this)) {
    m_gestures.SetPicture(std::string(), std::string(), std::string());
    m_gestures.EnableWindow(false);
  }
  SendMessage(DM_SETDEFID, kSendId);
  return true;
}

// ---- Lines in ----------------------------------------------------------------

void CChatPage::AddLine(const std::string& name, const std::string& text, COLORREF colour) {
  if (!m_transcript.m_hWnd) return;
  const std::string shown = g_host ? g_host->MaskWords(GetPageKind(), text) : text;
  m_transcript.AddLine(name, shown, colour);
}

void CChatPage::AppendText(const std::string& text) {
  if (!m_transcript.m_hWnd) return;
  if (!text.empty()) {
    m_transcript.ReplaceSeparator(text);
  } else if (m_leftPrivateRoom) {
    m_transcript.ReplaceSeparator(AfxLoadString(kLeftPrivateRoomString) + m_privateRoomTitle);
  } else {
    m_transcript.AddSeparator(std::string(), true);
  }
  m_leftPrivateRoom = g_host && g_host->IsPrivateRoom();
  m_privateRoomTitle = m_leftPrivateRoom ? g_host->PlaceTitle() : std::string();
}

// ---- The send road -------------------------------------------------------------

void CChatPage::OnSend() {
  if (!g_host || g_host->AreWindowsDisabled()) return;
  m_typed = TrimChatText(m_input.GetWindowText());
  m_input.SetFocus();
  if (m_typed.empty()) return;
  g_host->ResetIdleMinutes();
  const std::string text = CleanChatText(m_typed);
  m_input.Remember(m_typed);
  switch (ChooseChatSendRoute(g_host->SendStateFor(GetPageKind()))) {
    case ChatSendRoute::LocalOnly:
      if (GetPageKind() != ChatPageKind::InstantMessage) g_host->ShowOwnBalloon(text);
      g_host->EchoLine(GetTargetId(), text);
      break;
    case ChatSendRoute::InstantMessage:
      SendInstantMessage(text);
      break;
    case ChatSendRoute::HostRelay:
      if (!g_host->SendThroughHost(text)) MessageBoxIds2(kBlankString, 323);
      break;
    case ChatSendRoute::Talk:
      g_host->SendTalk(GetPageKind(), GetTargetId(), text);
      break;
  }
  ClearAfterSend();
}

void CChatPage::SendInstantMessage(const std::string& text) {
  g_host->SendInstantMessage(GetTargetId(), text);
  g_host->EchoLine(GetTargetId(), text);
}

void CChatPage::ClearAfterSend() {
  m_typed.clear();
  m_input.SetWindowText(std::string());
  m_input.SetTyping(false);
  SetTypingState(false);
}

void CChatPage::OnInputChanged() {
  std::string text = m_input.GetWindowText();
  if (LimitChatText(text)) {
    MessageBoxIds2(kBlankString, kTooLongString, static_cast<int>(kChatTextLimit));
    m_input.SetWindowText(text);
    m_input.SendMessage(EM_SETSEL, text.size(), text.size());
  }
  m_typed = TrimChatText(text);
  if (m_typed.empty()) {
    m_input.SetTyping(false);
    SetTypingState(false);
  } else if (!m_input.IsTyping()) {
    m_input.SetTyping(true);
    SetTypingState(true);
  }
}

void CChatPage::SetTypingState(bool on) {
  if (!g_host || !g_host->IsRunning() || GetPageKind() == ChatPageKind::InstantMessage) return;
  g_host->SetTypingState(GetPageKind(), GetTargetId(), on);
}

void CChatPage::EnableInput(bool on) {
  for (UINT id : {kSendId, CChatEdit::kControlId})
    if (HWND control = ::GetDlgItem(m_hWnd, static_cast<int>(id))) ::EnableWindow(control, on);
}

// ---- Commands ------------------------------------------------------------------

void CChatPage::SetInputFocus() {
  if (m_input.m_hWnd && m_input.IsWindowVisible())
    m_input.SetFocus();
  else if (m_transcript.m_hWnd)
    m_transcript.SetFocus();
}

void CChatPage::SaveTranscript() {
  if (!HasTranscript()) return;
  CFileDialog dialog(false, "txt", nullptr, OFN_HIDEREADONLY, kTranscriptFilter, this);
  if (dialog.DoModal() != IDOK) return;
  const std::string path = dialog.GetPathName();
  if (!path.empty()) m_transcript.Save(path);
}

void CChatPage::OnSaveAs() { SaveTranscript(); }

void CChatPage::SetActive(bool active) {
  if (GetPageKind() == ChatPageKind::Game && g_host) g_host->SetGameActive(GetTargetId(), active);
}

void CChatPage::OnMakeTab() {
  if (g_host && g_host->AreWindowsDisabled()) return;
  SetFloating(false);
  if (IPaneContainer* container = Container()) container->DockPage(this);
}

void CChatPage::OnCloseTab() {
  if (auto* tabs = dynamic_cast<CChatTabWnd*>(Container())) tabs->CloseTargetPage(GetTargetId());
}

CChatPage* CChatPage::OfWindow(HWND window) {
  for (HWND at = window; at; at = ::GetParent(at)) {
    if (auto* page = dynamic_cast<CChatPage*>(CWnd::FromHandlePermanent(at))) return page;
  }
  return nullptr;
}

void CChatPage::OnUpdateEditCommand(CCmdUI* item) {
  HWND focus = ::GetFocus();
  bool enabled = false;
  if (m_input.m_hWnd && focus == m_input.m_hWnd)
    enabled = m_input.IsEditCommandEnabled(item->m_nID);
  else if (m_transcript.m_hWnd && focus == m_transcript.m_hWnd)
    enabled = m_transcript.IsCommandEnabled(item->m_nID);
  item->Enable(enabled);
}

void CChatPage::OnEditCommand(UINT command) {
  HWND focus = ::GetFocus();
  if (m_input.m_hWnd && focus == m_input.m_hWnd)
    m_input.DoEditCommand(command);
  else if (m_transcript.m_hWnd && focus == m_transcript.m_hWnd)
    m_transcript.DoCommand(command);
}

// ---- Layout --------------------------------------------------------------------

void CChatPage::Layout(const RECT& rect) {
  CPaneDlg::SetWindowRect(rect);
  if (!m_transcript.m_hWnd) return;
  const int width = Width(rect);
  const int height = Height(rect);
  const int g = m_margin;
  int transcriptHeight = height - m_inputHeight - 3 * g - m_top;
  if (IsFloating()) transcriptHeight = std::max(transcriptHeight - m_buttonHeight - g, m_inputHeight);
  const bool showTranscript = transcriptHeight >= 0 && transcriptHeight >= m_buttonHeight;
  m_transcript.SetWindowPos(nullptr, g, m_top, width - 2 * g, std::max(transcriptHeight, 0),
                            SWP_NOZORDER | SWP_NOACTIVATE);
  m_transcript.ShowWindow(showTranscript ? SW_SHOWNA : SW_HIDE);
  const int inputTop = m_top + std::max(transcriptHeight, 0) + g;
  if (IsFloating())
    LayoutFloating(width, inputTop, m_inputHeight);
  else
    LayoutDocked(width, inputTop, m_inputHeight);
  Invalidate();
}

void CChatPage::LayoutDocked(int width, int inputTop, int inputHeight) {
  const int g = m_margin;
  const int gap = std::max(g, 2);
  const bool show = width >= 2 * g + inputHeight;
  const int sendX = width - g - m_sendWidth;
  const int gesturesX = sendX - gap - m_gesturesWidth;
  const int buttonTop = inputTop + (inputHeight - m_buttonHeight) / 2;
  Place(CChatEdit::kControlId, g, inputTop, std::max(gesturesX - gap - g, 0), inputHeight, show);
  Place(kGesturesId, gesturesX, buttonTop, m_gesturesWidth, m_buttonHeight, show);
  Place(kSendId, sendX, buttonTop, m_sendWidth, m_buttonHeight, show);
  Place(kMakeTabId, 0, 0, m_makeTabWidth, m_buttonHeight, false);
  ::EnableWindow(::GetDlgItem(m_hWnd, kMakeTabId), FALSE);
  if (m_send.m_hWnd) m_send.SetColorValue(ResourceColour(kDockedColourIndex));
}

void CChatPage::LayoutFloating(int width, int inputTop, int inputHeight) {
  const int g = m_margin;
  const int gap = std::max(g, 2);
  const bool show = width >= 2 * g + inputHeight;
  Place(CChatEdit::kControlId, g, inputTop, width - 2 * g, inputHeight, show);
  const int rowTop = inputTop + inputHeight + g;
  const int free = width - 2 * g - m_gesturesWidth - m_sendWidth - gap;
  const int rowLeft = std::max(g + m_makeTabWidth + gap, free / 2);
  Place(kMakeTabId, g, rowTop, m_makeTabWidth, m_buttonHeight, show);
  ::EnableWindow(::GetDlgItem(m_hWnd, kMakeTabId), TRUE);
  Place(kGesturesId, rowLeft, rowTop, m_gesturesWidth, m_buttonHeight, show);
  Place(kSendId, rowLeft + m_gesturesWidth + gap, rowTop, m_sendWidth, m_buttonHeight, show);
  if (m_send.m_hWnd) m_send.SetColorValue(::GetSysColor(COLOR_BTNFACE));
}

void CChatPage::Place(UINT id, int x, int y, int width, int height, bool show) {
  HWND control = ::GetDlgItem(m_hWnd, static_cast<int>(id));
  if (!control) return;
  ::SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
}
