#include "CVoiceArea.h"

#include "CBitmap.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CPaintDC.h"

namespace {

// Bitmaps of the resource library.
constexpr UINT kVoicePicture = 796;
constexpr UINT kNoVoicePicture = 800;
constexpr UINT kToggleOn = 560;
constexpr UINT kToggleOff = 559;
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kDarkGrey = RGB(128, 128, 128);
// The picture stands from (13, 15) inside the area to 133 pixels right.
constexpr int32_t kPictureLeft = 13;
constexpr int32_t kPictureTop = 15;
constexpr int32_t kPictureRight = 133;
// The toggles: 12 x 12 at x + 69 and x + 103, y + 9.
constexpr int32_t kToggleLeft[] = {69, 103};
constexpr int32_t kToggleTop = 9;
constexpr int32_t kToggleSize = 12;
// The status text's box: 15 pixels high, 12 pixels inside the area.
constexpr int32_t kStatusInset = 12;
constexpr int32_t kStatusHeight = 15;

}  // namespace

BEGIN_MESSAGE_MAP(CVoiceArea, CWnd)
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

bool CVoiceArea::Create(CWnd* page, const RECT& rect) {
  const char* windowClass = RegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW));
  if (!CreateEx(0, windowClass, kUnavailable, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect, page, kAreaId)) return false;
  LOGFONTA font{};
  CClientDC screen(this);
  font.lfHeight = -::MulDiv(7, ::GetDeviceCaps(screen.m_hDC, LOGPIXELSY), 72);
  lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
  m_font.CreateFontIndirect(font);
  return true;
}

void CVoiceArea::SetStatus(const std::string& text) {
  if (!m_hWnd) return;
  SetWindowText(text);
  Invalidate();
}

void CVoiceArea::SetVoiceState(bool hasServers, bool enabled) {
  m_hasServers = hasServers;
  m_enabled = enabled;
  if (m_hWnd) Invalidate();
}

RECT CVoiceArea::ToggleRect(int index) const {
  const int32_t left = kToggleLeft[index];
  return RECT{left, kToggleTop, left + kToggleSize, kToggleTop + kToggleSize};
}

void CVoiceArea::DrawBitmap(HDC dc, UINT id, const RECT& rect) const {
  CBitmap bitmap;
  if (!bitmap.LoadBitmap(id)) return;
  HDC memory = ::CreateCompatibleDC(dc);
  HGDIOBJ previous = ::SelectObject(memory, bitmap.GetSafeHandle());
  const SIZE size = bitmap.GetSize();
  ::StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory, 0, 0, size.cx,
               size.cy, SRCCOPY);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
}

void CVoiceArea::OnPaint() {
  CPaintDC dc(this);
  RECT area{};
  GetClientRect(&area);
  dc.FillSolidRect(area, kLightGrey);
  DrawBitmap(dc.m_hDC, m_hasServers ? kVoicePicture : kNoVoicePicture,
             RECT{kPictureLeft, kPictureTop, kPictureRight, area.bottom});
  dc.Draw3dRect(area, kDarkGrey, RGB(255, 255, 255));
  if (m_hasServers) {
    DrawBitmap(dc.m_hDC, m_enabled ? kToggleOn : kToggleOff, ToggleRect(0));
    DrawBitmap(dc.m_hDC, m_enabled ? kToggleOff : kToggleOn, ToggleRect(1));
  }
  RECT box{area.left + kStatusInset, area.top + kStatusInset, area.right - kStatusInset,
           area.top + kStatusInset + kStatusHeight};
  dc.FillSolidRect(box, kLightGrey);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(0, 0, 0));
  const int saved = dc.SaveDC();
  if (m_font.GetSafeHandle()) dc.SelectObject(&m_font);
  dc.DrawText(GetWindowText(), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc.RestoreDC(saved);
}

// The first toggle enables voice, the second disables it.
void CVoiceArea::OnLButtonDown(UINT, POINT point) {
  if (!m_hasServers || !m_onToggle) return;
  for (int index = 0; index < 2; ++index) {
    const RECT rect = ToggleRect(index);
    if (::PtInRect(&rect, point)) {
      m_onToggle(index == 0);
      return;
    }
  }
}
