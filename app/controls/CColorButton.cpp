#include "CColorButton.h"

#include <algorithm>

#include "AppPalette.h"
#include "ButtonDrawing.h"
#include "CDC.h"
#include "ControlResources.h"
#include "ModuleState.h"
#include "Picture.h"

namespace {

// Between the picture and each text.
constexpr int kPictureGap = 4;
constexpr int kTextInset = 3;
constexpr char kCaptionSplit = '@';

SIZE TextSize(CDC& dc, const std::string& text) {
  return text.empty() ? SIZE{0, 0} : dc.GetTextExtent(text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CColorButton, CButton)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CColorButton::CColorButton()
    : m_faceColour(::GetSysColor(COLOR_BTNFACE)), m_frameColour(::GetSysColor(COLOR_BTNFACE)) {}

void CColorButton::SetColors(uint16_t pictureId, uint16_t disabledPictureId, COLORREF face,
                             COLORREF frame) {
  m_pictureId = pictureId;
  m_disabledPictureId = disabledPictureId ? disabledPictureId : pictureId;
  // The picture shows only while one is set.
  m_showPicture = m_showPicture && pictureId != 0;
  m_faceColour = face;
  m_frameColour = frame;
  Redraw();
}

void CColorButton::SetHighlight(bool show) {
  m_showPicture = show && m_pictureId != 0;
  Redraw();
}

void CColorButton::SetColorValue(COLORREF face) {
  m_faceColour = face;
  Redraw();
}

void CColorButton::SetExtraColor2(COLORREF frame) {
  m_frameColour = frame;
  Redraw();
}

void CColorButton::Redraw() {
  if (m_hWnd) Invalidate();
}

void CColorButton::OnDestroy() {
  m_redrawEntry.Remove();
  Default();
}

void CColorButton::DrawItem(LPDRAWITEMSTRUCT item) {
  // Buttons are usually taken over from a dialog after they exist, so the
  // first drawing is the first moment this object surely has its window.
  m_redrawEntry.Add(m_hWnd);
  CDC* dc = CDC::FromHandle(item->hDC);
  if (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) DrawFace(*dc, *item);
  DrawButtonFocus(*dc, item->rcItem, (item->itemState & ODS_FOCUS) != 0, m_frameColour);
}

bool CColorButton::LoadPicture(CPicture& picture, bool disabled) const {
  if (!m_showPicture) return false;
  UINT id = disabled ? m_disabledPictureId : m_pictureId;
  if (!picture.LoadResource(AfxGetResourceHandle(), id, -1)) return false;
  SetResourceKeyColour(picture);
  return true;
}

void CColorButton::DrawFace(CDC& dc, const DRAWITEMSTRUCT& item) {
  const RECT& rect = item.rcItem;
  bool pressed = (item.itemState & ODS_SELECTED) != 0;
  int shift = pressed ? 1 : 0;
  CPicture picture;
  bool hasPicture = LoadPicture(picture, (item.itemState & ODS_DISABLED) != 0);
  SIZE pictureSize = hasPicture ? SIZE{picture.Width(), picture.Height()} : SIZE{0, 0};
  int gap = hasPicture ? kPictureGap : 0;

  int saved = dc.SaveDC();
  dc.FillSolidRect(rect, m_faceColour);
  dc.SetBkMode(TRANSPARENT);
  // The button's own font; RestoreDC puts the context's font back.
  if (HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT))) ::SelectObject(dc, font);

  RECT inner = Shrunk(rect, kTextInset);
  std::string caption = GetWindowText();
  size_t split = caption.find(kCaptionSplit);
  Label left{caption.substr(0, split)};
  Label right{split == std::string::npos ? std::string() : caption.substr(split + 1)};
  left.size = TextSize(dc, left.text);
  right.size = TextSize(dc, right.text);
  int width = inner.right - inner.left;
  int height = inner.bottom - inner.top;
  int margin = (width - 2 * gap - pictureSize.cx - right.size.cx - left.size.cx) / 2;
  int top = inner.top + (height - std::max(left.size.cy, right.size.cy)) / 2;
  left.at = POINT{inner.left + margin, top};
  right.at = POINT{inner.right - margin - right.size.cx, top};
  DrawLabel(dc, left, rect, item.itemState);
  DrawLabel(dc, right, rect, item.itemState);

  if (hasPicture) {
    int x = inner.left + (width - pictureSize.cx) / 2;
    if (!left.text.empty()) {
      x = left.at.x + left.size.cx + gap;
    } else if (!right.text.empty()) {
      x = right.at.x - gap - pictureSize.cx;
    }
    int y = inner.top + (height - pictureSize.cy) / 2;
    RECT place{x + shift, y + shift, x + shift + pictureSize.cx, y + shift + pictureSize.cy};
    CAppPalette::Get().Select(&dc);
    picture.Draw(&dc, place);
    CAppPalette::Get().Restore(&dc);
  }

  RECT edge = Shrunk(rect, 1);
  if (pressed) {
    dc.Draw3dRect(edge, ::GetSysColor(COLOR_BTNSHADOW), RGB(255, 255, 255));
    DrawTopLeft(dc, Shrunk(edge, 1), RGB(0, 0, 0));
  } else {
    DrawRaisedEdge(dc, edge);
  }
  dc.RestoreDC(saved);
}

void CColorButton::DrawLabel(CDC& dc, const Label& label, const RECT& clip, UINT state) const {
  if (label.text.empty()) return;
  auto draw = [&](int dx, COLORREF colour) {
    dc.SetTextColor(colour);
    ::ExtTextOutA(dc, label.at.x + dx, label.at.y + dx, ETO_CLIPPED, &clip, label.text.data(),
                  static_cast<UINT>(label.text.size()), nullptr);
  };
  if (state & ODS_SELECTED) {
    draw(1, ::GetSysColor(COLOR_BTNTEXT));
  } else if (state & ODS_DISABLED) {
    // Engraved: a white copy below and right of the shadow-coloured text.
    draw(1, RGB(255, 255, 255));
    draw(0, ::GetSysColor(COLOR_BTNSHADOW));
  } else {
    draw(0, ::GetSysColor(COLOR_BTNTEXT));
  }
}
