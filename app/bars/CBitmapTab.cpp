#include "CBitmapTab.h"

#include "CDC.h"
#include "ControlResources.h"
#include "ModuleState.h"

namespace {

// Colour of a hot button's background.
constexpr uint32_t kHotColour = 9;

}  // namespace

bool CBitmapTab::LoadFace(std::unique_ptr<CPicture>& face, UINT& faceId, UINT id) {
  auto picture = std::make_unique<CPicture>(true);
  if (!picture->LoadResource(AfxGetResourceHandle(), id)) return false;
  SetResourceKeyColour(*picture);
  face = std::move(picture);
  faceId = id;
  return true;
}

bool CBitmapTab::Init(UINT id, UINT hotId, UINT normalId, UINT disabledId, UINT pressedId) {
  if (!LoadFace(m_hotFace, m_hotId, hotId) || !LoadFace(m_normalFace, m_normalId, normalId) ||
      !LoadFace(m_pressedOverlay, m_pressedId, pressedId))
    return false;
  if (disabledId != 0 && !LoadFace(m_disabledFace, m_disabledId, disabledId)) return false;
  SetId(id);
  return true;
}

void CBitmapTab::InitSpacer(UINT id) {
  m_data |= kSpacer;
  SetId(id);
}

bool CBitmapTab::SetHotFace(UINT id) { return id != m_hotId && LoadFace(m_hotFace, m_hotId, id); }
bool CBitmapTab::SetNormalFace(UINT id) { return id != m_normalId && LoadFace(m_normalFace, m_normalId, id); }
bool CBitmapTab::SetDisabledFace(UINT id) {
  return id != m_disabledId && LoadFace(m_disabledFace, m_disabledId, id);
}

bool CBitmapTab::SetEnabled(bool enabled) {
  if (IsSpacer() || enabled == m_enabled) return false;
  m_enabled = enabled;
  if (!enabled) m_hot = m_pressed = false;
  return true;
}

bool CBitmapTab::SetHot(bool hot) {
  if (IsSpacer() || !m_enabled) return false;
  m_hot = hot;
  return true;
}

bool CBitmapTab::SetPressed(bool pressed) {
  if (IsSpacer() || !m_enabled) return false;
  m_pressed = pressed;
  return m_hot;
}

SIZE CBitmapTab::GetSize() const {
  if (IsSpacer() || !m_hotFace) return SIZE{0, 0};
  return SIZE{m_hotFace->Width(), m_hotFace->Height()};
}

void CBitmapTab::SetRect(int left, int top, int right, int bottom) {
  m_rect = RECT{left, top, right, bottom};
  if (!IsSpacer()) m_rect.right = left + GetSize().cx;
}

// Drawn off screen over a copy of the bar's background, then copied to the
// button's place. The image takes the palette that the bar's paint selected
// (the application's).
void CBitmapTab::Draw(CDC* dc) {
  if (IsSpacer()) return;
  const int width = m_rect.right - m_rect.left;
  const int height = m_rect.bottom - m_rect.top;
  if (width <= 0 || height <= 0) return;
  HDC memory = ::CreateCompatibleDC(dc->m_hDC);
  HBITMAP bitmap = ::CreateCompatibleBitmap(dc->m_hDC, width, height);
  HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
  auto palette = static_cast<HPALETTE>(::GetCurrentObject(dc->m_hDC, OBJ_PAL));
  HPALETTE oldPalette = ::SelectPalette(memory, palette, TRUE);
  ::RealizePalette(memory);
  CDC* image = CDC::FromHandle(memory);
  // What the bar has drawn under the button shows through its key colour.
  ::BitBlt(memory, 0, 0, width, height, dc->m_hDC, m_rect.left, m_rect.top, SRCCOPY);
  const RECT face{0, 0, width, height};
  if (m_hot) {
    HBRUSH brush = ::CreateSolidBrush(ResourceColour(kHotColour));
    ::FillRect(memory, &face, brush);
    ::DeleteObject(brush);
    m_hotFace->DrawTransparent(image, face);
    if (m_pressed && m_pressedOverlay) m_pressedOverlay->DrawTransparent(image, face);
  } else if (m_enabled) {
    m_normalFace->DrawTransparent(image, face);
  } else if (m_disabledFace) {
    m_disabledFace->DrawTransparent(image, face);
  } else {
    m_hotFace->DrawEmbossed(image, face);
  }
  ::BitBlt(dc->m_hDC, m_rect.left, m_rect.top, width, height, memory, 0, 0, SRCCOPY);
  ::SelectPalette(memory, oldPalette, TRUE);
  ::SelectObject(memory, oldBitmap);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
}
