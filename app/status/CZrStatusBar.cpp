#include "CZrStatusBar.h"

#include "CClientDC.h"
#include "CFont.h"
#include "IAppUi.h"
#include "ModuleState.h"

namespace {

// The platform delivers this at its own shortest period.
constexpr UINT kScrollPeriod = 1;
constexpr int kScrollStep = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CZrStatusBar, CStatusBar)
  ON_MESSAGE(WM_SETTEXT, OnSetTextMessage)
  ON_WM_TIMER()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

bool CZrStatusBar::Create(CWnd* parent) {
  static const UINT kOnePane[] = {0};
  return CStatusBar::Create(parent, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) &&
         SetIndicators(kOnePane, 1);
}

void CZrStatusBar::SetTimedText(const std::string& text, bool keep, const std::string& lasting) {
  if (!m_hWnd) return;
  StopScrolling();
  StopTimer();
  SetText(text);
  if (text.empty()) return;
  if (keep) {
    m_lastingText = text;
    return;
  }
  StartTimer(m_timedPeriod);
  if (!lasting.empty()) m_lastingText = lasting;
}

void CZrStatusBar::ShowStringMessage(UINT stringId, bool keep) {
  SetTimedText(AfxLoadString(stringId), keep, "");
}

void CZrStatusBar::SetText(const std::string& text) {
  if (!m_hWnd) return;
  StopScrolling();
  m_currentText = text;
  if (m_currentText.empty() || m_currentText == AfxLoadString(AFX_IDS_IDLEMESSAGE, "Ready")) {
    m_currentText = m_lastingText;
  }
  SetPaneText(0, m_currentText);
  UpdateWindow();
}

void CZrStatusBar::SetMessage(const std::string& text, COLORREF colour) {
  if (!m_hWnd || text.empty()) return;
  m_scrollText = text;
  m_scrollColour = colour;
  StopTimer();
  m_lastingText.clear();
  SetText("");
  m_scrolling = true;
  m_scrollOffset = 0;
  CClientDC dc(this);
  HGDIOBJ oldFont = ::SelectObject(dc, ScrollFont());
  m_scrollTextWidth = dc.GetTextExtent(m_scrollText).cx;
  ::SelectObject(dc, oldFont);
  RECT pane = PaneRect(2);
  ::FillRect(dc, &pane, ::GetSysColorBrush(COLOR_BTNFACE));
  StartTimer(kScrollPeriod);
}

void CZrStatusBar::OnUpdateCmdUI(CFrameWnd*, bool) {
  SetPaneText(0, m_currentText);
}

LRESULT CZrStatusBar::OnSetTextMessage(WPARAM, LPARAM text) {
  const char* value = reinterpret_cast<const char*>(text);
  SetText(value ? value : "");
  return 0;
}

void CZrStatusBar::OnTimer(UINT_PTR id) {
  if (id != kTimerId) {
    Default();
    return;
  }
  if (m_scrolling) {
    ScrollStep();
  } else {
    SetTimedText("", false, "");
  }
}

void CZrStatusBar::OnDestroy() {
  StopTimer();
  Default();
}

void CZrStatusBar::StartTimer(UINT ms) {
  m_timerId = SetTimer(kTimerId, ms);
}

void CZrStatusBar::StopTimer() {
  if (m_timerId) KillTimer(m_timerId);
  m_timerId = 0;
}

// The message stays in the pane as plain text until a new text replaces it.
void CZrStatusBar::StopScrolling() {
  if (!m_scrolling) return;
  StopTimer();
  m_scrolling = false;
  SetPaneText(0, m_scrollText);
}

void CZrStatusBar::ScrollStep() {
  RECT area = PaneRect(1);
  int areaWidth = area.right - area.left;
  if (m_scrollOffset < m_scrollTextWidth + areaWidth) {
    m_scrollOffset += kScrollStep;
  } else {
    m_scrollOffset = 0;
  }
  CClientDC dc(this);
  dc.IntersectClipRect(area);
  HGDIOBJ oldFont = ::SelectObject(dc, ScrollFont());
  dc.SetBkMode(OPAQUE);
  dc.SetBkColor(::GetSysColor(COLOR_BTNFACE));
  dc.SetTextColor(m_scrollColour);
  RECT text{area.right - m_scrollOffset, area.top, area.right - m_scrollOffset + m_scrollTextWidth,
            area.bottom};
  dc.DrawText(m_scrollText, &text, DT_SINGLELINE | DT_VCENTER);
  RECT rest{text.right, area.top, area.right, area.bottom};
  if (rest.left < rest.right) ::FillRect(dc, &rest, ::GetSysColorBrush(COLOR_BTNFACE));
  ::SelectObject(dc, oldFont);
}

RECT CZrStatusBar::PaneRect(int inset) const {
  RECT rect{};
  GetItemRect(0, &rect);
  ::InflateRect(&rect, -inset, -inset);
  return rect;
}

// The application's normal font; the bar's own until the application has one.
HFONT CZrStatusBar::ScrollFont() const {
  CFont* font = AppUi().GetNormalFont();
  if (font && font->GetSafeHandle()) return *font;
  return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}
