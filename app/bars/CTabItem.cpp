#include "CTabItem.h"

#include <algorithm>

#include "CDC.h"
#include "ControlResources.h"
#include "IAppUi.h"
#include "ModuleState.h"
#include "NameBubble.h"
#include "Picture.h"

namespace {

constexpr int kIconSize = 16;
constexpr int kTextPadding = 10;
constexpr int kTextMargin = 3;
constexpr int kBandHeight = 3;
constexpr UINT kLabelFormat = DT_VCENTER | DT_NOCLIP;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  if (right <= left || bottom <= top) return;
  const RECT rect{left, top, right, bottom};
  HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(dc, &rect, brush);
  ::DeleteObject(brush);
}

}  // namespace

CTabItem::CTabItem() = default;

CTabItem::~CTabItem() = default;

void CTabItem::Init(UINT id, const std::string& text, UINT iconId, CDC* dc, int orientation) {
  m_text = text;
  m_orientation = orientation;
  if (iconId != 0) {
    auto icon = std::make_unique<CPicture>(true);
    if (icon->LoadResource(AfxGetResourceHandle(), iconId)) {
      SetResourceKeyColour(*icon);
      m_iconWidth = std::min(icon->Width(), kIconSize);
      m_iconHeight = std::min(icon->Height(), kIconSize);
      m_icon = std::move(icon);
    }
  }
  Measure(dc);
  SetId(id);
}

void CTabItem::Measure(CDC* dc) {
  SIZE extent{0, 0};
  if (dc) extent = dc->GetTextExtent(m_text);
  m_width = extent.cx + kTextPadding + (m_icon ? kIconSize : 0);
}

int CTabItem::SetText(const std::string& text, CDC* dc) {
  if (text == m_text) return 0;
  const int oldWidth = m_width;
  m_text = text;
  Measure(dc);
  const int difference = m_width - oldWidth;
  m_rect.right += difference;
  return difference;
}

void CTabItem::SetRect(int left, int top, int, int bottom) {
  m_rect = RECT{left, top + 2, left + m_width, bottom - (m_orientation == 1 ? 2 : 1)};
}

bool CTabItem::SetEnabled(bool enabled) {
  if (m_selected || enabled == m_enabled) return false;
  m_enabled = enabled;
  return true;
}

bool CTabItem::SetGreyed(bool greyed) {
  if (m_selected || greyed == m_greyed) return false;
  m_greyed = greyed;
  return true;
}

bool CTabItem::SetHighlighted(bool highlighted) {
  if (m_selected || highlighted == m_highlighted) return false;
  m_highlighted = highlighted;
  return true;
}

void CTabItem::ClearAttentionHighlight() {
  if (m_attention) m_highlighted = false;
}

bool CTabItem::IsIconShown() const {
  return m_icon && m_enabled && (!m_attention || m_highlighted);
}

RECT CTabItem::GetDrawRect() const {
  RECT rect = m_rect;
  if (m_selected) {
    rect.left -= 2;
    rect.right += 2;
    rect.top -= 2;
    rect.bottom += m_orientation == 1 ? 2 : 1;
  }
  return rect;
}

RECT CTabItem::GetIconRect() const {
  const RECT rect = GetDrawRect();
  const int x = rect.left + (kIconSize - m_iconWidth) / 2 + 2;
  const int y = rect.top + (rect.bottom - rect.top - m_iconHeight - 2) / 2 + 2;
  return RECT{x, y, x + m_iconWidth, y + m_iconHeight};
}

POINT CTabItem::GetTipPoint() const {
  if (m_orientation != 1) return CBarItem::GetTipPoint();
  int bubbleHeight = 0;
  CNameBubble* bubble = AppUi().GetNameBubble();
  if (bubble && bubble->m_hWnd) {
    RECT window{};
    bubble->GetWindowRect(&window);
    bubbleHeight = window.bottom - window.top;
  }
  return POINT{m_rect.left + 1, m_rect.top - bubbleHeight - 1};
}

void CTabItem::DrawTab(CDC* dc, COLORREF unselectedFace, COLORREF selectedFace, COLORREF band) {
  const RECT rect = GetDrawRect();
  const HDC hdc = dc->m_hDC;
  const bool bottomTab = m_orientation == 1;
  const COLORREF face = m_selected ? selectedFace : unselectedFace;
  // The face leaves one pixel at the sides and at the outer edge for the
  // outline.
  FillSolid(hdc, rect.left + 1, rect.top + (bottomTab ? 0 : 1), rect.right - 1,
            rect.bottom - (bottomTab ? 1 : 0), face);
  if (!m_selected && face != band) {
    const int bandTop = bottomTab ? rect.top : rect.bottom - kBandHeight;
    FillSolid(hdc, rect.left + 1, bandTop, rect.right - 1, bandTop + kBandHeight, band);
  }
  DrawOutline(hdc, rect);
  if (IsIconShown()) m_icon->DrawTransparent(dc, GetIconRect());
  DrawLabel(dc, rect);
}

// White on the left and the outer edge, shadow inside the black right
// edge, the two outer corners cut by two pixels.
void CTabItem::DrawOutline(HDC dc, const RECT& rect) const {
  const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  const int l = rect.left;
  const int t = rect.top;
  const int r = rect.right;
  const int b = rect.bottom;
  if (m_orientation == 1) {
    FillSolid(dc, l, t, l + 1, b - 2, kWhite);
    FillSolid(dc, l + 1, b - 2, l + 2, b - 1, kWhite);
    FillSolid(dc, l + 2, b - 1, r - 2, b, kWhite);
    FillSolid(dc, l + 1, t, r - 1, t + 1, shadow);
    FillSolid(dc, r - 2, t, r - 1, b - 2, shadow);
    FillSolid(dc, r - 2, b - 2, r - 1, b - 1, kBlack);
    FillSolid(dc, r - 1, t, r, b - 2, kBlack);
    return;
  }
  FillSolid(dc, l, t + 2, l + 1, b, kWhite);
  FillSolid(dc, l + 1, t + 1, l + 2, t + 2, kWhite);
  FillSolid(dc, l + 2, t, r - 2, t + 1, kWhite);
  FillSolid(dc, r - 2, t + 2, r - 1, b, shadow);
  FillSolid(dc, r - 2, t + 1, r - 1, t + 2, kBlack);
  FillSolid(dc, r - 1, t + 2, r, b, kBlack);
}

// A tab that cannot be chosen has its text engraved: white one pixel down
// and right, shadow over it.
void CTabItem::DrawLabel(CDC* dc, const RECT& rect) const {
  RECT text{rect.left + kTextMargin + 2 + (m_icon ? kIconSize : 0), rect.top + 2,
            rect.right - kTextMargin - 2, rect.bottom - 1};
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  if (!m_enabled || m_greyed) {
    const COLORREF oldColour = dc->SetTextColor(kWhite);
    RECT engraved = text;
    ::OffsetRect(&engraved, 1, 1);
    dc->DrawText(m_text, &engraved, kLabelFormat);
    dc->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    dc->DrawText(m_text, &text, kLabelFormat);
    dc->SetTextColor(oldColour);
  } else {
    dc->DrawText(m_text, &text, kLabelFormat);
  }
  dc->SetBkMode(oldMode);
}
