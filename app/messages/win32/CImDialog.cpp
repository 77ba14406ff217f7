#include "CImDialog.h"

#include <algorithm>

#include "CChatEdit.h"
#include "CChatTabWnd.h"

namespace {

// The tab menu's command that closes a conversation.
constexpr UINT kCloseImCommand = 32821;

RECT ChildRect(HWND dialog, UINT id) {
  RECT rect{};
  HWND child = ::GetDlgItem(dialog, static_cast<int>(id));
  if (!child) return rect;
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

BEGIN_MESSAGE_MAP(CImDialog, CChatPage)
  ON_WM_DESTROY()
  ON_BN_CLICKED(CImDialog::kRespondId, OnRespond)
END_MESSAGE_MAP()

CImDialog::CImDialog(IImPages& pages, const std::string& title)
    : CChatPage(ChatPageKind::InstantMessage, title, kTemplate), m_pages(pages) {}

CImDialog::~CImDialog() {
  if (m_hWnd) DestroyWindow();
}

bool CImDialog::OnInitDialog() {
  const RECT transcript = ChildRect(m_hWnd, kTranscriptId);
  m_margin = transcript.left;
  m_top = transcript.top;
  m_buttonHeight = Height(ChildRect(m_hWnd, kSendId));
  m_sendWidth = Width(ChildRect(m_hWnd, kSendId));
  m_gesturesWidth = Width(ChildRect(m_hWnd, kGesturesId));
  m_makeTabWidth = Width(ChildRect(m_hWnd, kMakeTabId));
  CChatPage::OnInitDialog();
  SendMessage(DM_SETDEFID, kRespondId);
  return true;
}

// Cancel closes the page by the tab menu's command, once the click is over.
void CImDialog::OnCancel() { PostMessage(WM_COMMAND, kCloseImCommand); }

int CImDialog::TabStripHeight() {
  auto* tabs = dynamic_cast<CChatTabWnd*>(Container());
  return tabs ? tabs->GetTabStripHeight() : 0;
}

void CImDialog::OnDestroy() {
  m_pages.OnPageClosed(GetTargetId());
  Default();
}

// The input line comes; a floating page's frame grows to hold it.
void CImDialog::OnRespond() {
  if (!m_respondMode) return;
  m_respondMode = false;
  if (IsFloating()) {
    HWND frame = ::GetParent(m_hWnd);
    RECT outer{};
    ::GetWindowRect(frame, &outer);
    ::SetWindowPos(frame, nullptr, 0, 0, Width(outer), Height(outer) + kFloatingInputHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    if (Container()) Container()->FitPage(this);
  }
  Layout(m_rect);
  SetInputFocus();
}

void CImDialog::SendInstantMessage(const std::string& text) { m_pages.SendFromPage(GetTargetId(), text); }

// m: the transcript's margin, bh: the buttons' height, sw and gw: the widths
// of Send and Gestures, a: the input line's height.
void CImDialog::Layout(const RECT& rect) {
  m_rect = rect;
  CChatPage::Layout(rect);
  const int w = Width(rect);
  const int h = Height(rect);
  const int m = m_margin;
  const int bh = m_buttonHeight;
  const int sw = m_sendWidth;
  const int gw = m_gesturesWidth;
  const bool floating = IsFloating();
  const int strip = TabStripHeight();
  int a = floating ? kFloatingInputHeight : strip;
  bool tooShort = false;
  if (m_respondMode) {
    a = 0;
  } else if (h < 3 * m + bh + a + strip) {
    a = strip;
    tooShort = true;
  }

  int bottom = m_top + h - (m_respondMode ? 2 * m : 3 * m + a);
  if (floating || m_respondMode) bottom -= bh + m;
  const int transcriptHeight = std::max(bottom - m_top, a);
  const bool showTranscript = transcriptHeight >= 0 && transcriptHeight >= bh;
  Place(kTranscriptId, m, m_top, w - 2 * m, std::max(transcriptHeight, 0), showTranscript, true);
  const int transcriptBottom = m_top + std::max(transcriptHeight, 0);
  const bool room = h - 2 * m >= bh;

  HWND input = ::GetDlgItem(m_hWnd, kInputId);
  const LONG style = ::GetWindowLongA(input, GWL_STYLE);
  const LONG wanted = floating && !tooShort ? (style | WS_VSCROLL) : (style & ~WS_VSCROLL);
  if (wanted != style) {
    ::SetWindowLongA(input, GWL_STYLE, wanted);
    ::SetWindowPos(input, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  }
  const int inputTop = transcriptBottom + m;
  const int inputRight = floating ? w - m : w - m - (sw + gw + 2 * m);
  const bool showInput = !m_respondMode && room;
  const int inputHeight = floating ? std::max(h - 2 * m - bh - inputTop, a) : a;
  Place(kInputId, m - 1, inputTop, std::max(inputRight - (m - 1), 0), inputHeight, showInput, true);

  // Gestures need the gesture gallery to choose from.
  Place(kGesturesId, 0, 0, gw, bh, false, false);
  if (floating || m_respondMode) {
    const int rowTop = (m_respondMode ? transcriptBottom : inputTop + inputHeight) + 3 * m / 2;
    const int rowStart = std::max(m + m + (floating ? m_makeTabWidth : sw),
                                  m_respondMode ? w - 2 * sw - 2 * m : w - 2 * sw - gw - 3 * m);
    const int firstX = m_respondMode ? rowStart : rowStart + gw + m;
    Place(kRespondId, rowStart, rowTop, sw, bh, m_respondMode && room, m_respondMode && room);
    Place(kSendId, firstX, rowTop, sw, bh, showInput, true);
    Place(IDCANCEL, firstX + sw + m, rowTop, sw, bh, room && (m_respondMode || floating),
          room && (m_respondMode || floating));
    Place(kMakeTabId, m, rowTop, m_makeTabWidth, bh, floating, floating);
  } else {
    const int buttonTop = inputTop + (inputHeight - bh) / 2;
    Place(kSendId, inputRight + m + gw + m, buttonTop, sw, bh, showInput, true);
    Place(kRespondId, 0, 0, sw, bh, false, false);
    Place(IDCANCEL, 0, 0, sw, bh, false, false);
    Place(kMakeTabId, 0, 0, m_makeTabWidth, bh, false, false);
  }
  SendMessage(DM_SETDEFID, m_respondMode ? kRespondId : kSendId);
}

void CImDialog::Place(UINT id, int x, int y, int width, int height, bool show, bool enable) {
  HWND control = ::GetDlgItem(m_hWnd, static_cast<int>(id));
  if (!control) return;
  ::SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
  ::EnableWindow(control, enable);
}
