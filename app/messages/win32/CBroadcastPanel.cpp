#include "CBroadcastPanel.h"

#include <algorithm>

#include "BroadcastInfo.h"
#include "BroadcastRecord.h"
#include "CDC.h"
#include "CWnd.h"
#include "ModuleState.h"

namespace {

constexpr int kInset = 3;
constexpr int kPictureRight = 128;
constexpr int kPictureBottom = 93;

}  // namespace

HWND CBroadcastPanel::s_timerWindow = nullptr;

CBroadcastPanel::CBroadcastPanel() = default;

CBroadcastPanel::~CBroadcastPanel() {
  if (m_host && m_host->m_hWnd == s_timerWindow && s_timerWindow) {
    ::KillTimer(s_timerWindow, kTimerId);
    s_timerWindow = nullptr;
  }
}

void CBroadcastPanel::SetDefaultTexts(const std::string& first, const std::string& second) {
  m_state.SetDefaults(first, second);
}

void CBroadcastPanel::SetRect(int left, int top, int right, int bottom) { m_rect = RECT{left, top, right, bottom}; }

void CBroadcastPanel::Start() {
  HMODULE resources = AfxGetResourceHandle();
  m_background.LoadResource(resources, kBackgroundPicture);
  m_picture.LoadResource(resources, kDefaultPicture);
  m_state.SetTexts(std::string(), std::string());
  if (!m_started) RestartTimer();
  m_started = true;
  Repaint();
}

void CBroadcastPanel::SetTexts(const std::string& first, const std::string& second) {
  m_state.SetTexts(first, second);
  Repaint();
}

void CBroadcastPanel::ShowBroadcast(const CBroadcastInfo& record) {
  CPicture picture;
  if (record.picture.Length() > BroadcastRecord::kSmallestPicture &&
      picture.LoadMemory(record.picture.Bytes(), record.picture.Length()))
    m_picture = picture;
  m_state.ShowBroadcast(record.texts[BroadcastRecord::kText]);
  Repaint();
}

void CBroadcastPanel::Preview(const std::string& text, const std::string& pictureFile, int32_t seconds) {
  if (!m_state.InPreview()) m_savedPicture = m_picture;
  CPicture picture;
  if (picture.LoadFile(pictureFile)) m_picture = picture;
  m_state.Preview(text, seconds);
  RestartTimer();
  Repaint();
}

void CBroadcastPanel::SetDisplayTime(int32_t seconds) {
  m_state.SetDisplayTime(seconds);
  RestartTimer();
}

// After a preview the earlier text and time come back; after a broadcast's
// time the default texts and picture.
void CBroadcastPanel::OnTimer(UINT_PTR id) {
  if (id != kTimerId) return;
  const bool wasPreview = m_state.InPreview();
  if (!m_state.OnTimer()) return;
  if (wasPreview) {
    m_picture = m_savedPicture;
    RestartTimer();
  } else {
    m_picture.LoadResource(AfxGetResourceHandle(), kDefaultPicture);
  }
  Repaint();
}

void CBroadcastPanel::RestartTimer() {
  if (!m_host || !m_host->m_hWnd) return;
  if (s_timerWindow) ::KillTimer(s_timerWindow, kTimerId);
  const int32_t seconds = m_state.DisplayTime() > 0 ? m_state.DisplayTime() : CBroadcastPanelState::kStartSeconds;
  s_timerWindow = ::SetTimer(m_host->m_hWnd, kTimerId, static_cast<UINT>(seconds) * 1000, nullptr)
                      ? m_host->m_hWnd
                      : nullptr;
}

RECT CBroadcastPanel::PictureArea() const {
  return RECT{m_rect.left + kInset, m_rect.top + kInset, m_rect.left + kPictureRight, m_rect.top + kPictureBottom};
}

RECT CBroadcastPanel::TextArea() const {
  return RECT{m_rect.left + kInset, m_rect.top + kInset, m_rect.right, m_rect.bottom};
}

void CBroadcastPanel::Paint(CDC& dc) {
  if (m_rect.right <= m_rect.left) return;
  if (!m_background.DrawTiled(&dc, m_rect)) dc.FillSolidRect(m_rect, RGB(255, 255, 255));
  m_picture.Draw(&dc, PictureArea());
  RECT text = TextArea();
  const int saved = dc.SaveDC();
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  dc.SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
  // The two lines stand at the foot of the panel, over the picture.
  const std::string lines = m_state.First() + "\n" + m_state.Second();
  RECT needed = text;
  dc.DrawText(lines, &needed, DT_CENTER | DT_NOPREFIX | DT_WORDBREAK | DT_CALCRECT);
  text.top = std::max(text.top, text.bottom - (needed.bottom - needed.top));
  dc.DrawText(lines, &text, DT_CENTER | DT_NOPREFIX | DT_WORDBREAK);
  dc.RestoreDC(saved);
}

bool CBroadcastPanel::HitTest(POINT point) const {
  return point.x > m_rect.left && point.x < m_rect.right && point.y > m_rect.top && point.y < m_rect.bottom;
}

void CBroadcastPanel::Repaint() {
  if (m_host && m_host->m_hWnd) ::InvalidateRect(m_host->m_hWnd, &m_rect, FALSE);
}
