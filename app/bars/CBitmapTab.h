// A button of a picture tool bar: a hot face (drawn over colour 9 while the
// mouse is on it), a normal face, an optional disabled face and a pressed
// overlay, all from the resource library. A spacer has no pictures and no
// width of its own.
#pragma once
#include <memory>

#include "CBarItem.h"
#include "Picture.h"

class CBitmapTab : public CBarItem {
 public:
  // Button flags, kept in the item's data word.
  static constexpr uint32_t kSpacer = 0x1;
  static constexpr uint32_t kFireOnPress = 0x2;

  CBitmapTab() = default;

  // Loads the faces; false when one of them cannot be loaded.
  bool Init(UINT id, UINT hotId, UINT normalId, UINT disabledId, UINT pressedId);
  void InitSpacer(UINT id);

  bool SetHotFace(UINT id);
  bool SetNormalFace(UINT id);
  bool SetDisabledFace(UINT id);
  UINT GetHotFaceId() const { return m_hotId; }

  bool SetEnabled(bool enabled);
  bool SetHot(bool hot);
  // Returns the hot flag, or false when the button cannot be pressed.
  bool SetPressed(bool pressed);
  bool IsEnabled() const { return m_enabled; }
  bool IsHot() const { return m_hot; }
  bool IsPressed() const { return m_pressed; }
  bool IsSpacer() const { return (m_data & kSpacer) != 0; }
  void SetLink(bool link) { m_link = link; }

  SIZE GetSize() const;
  void SetRect(int left, int top, int right, int bottom);
  void SetHeight(int height) { m_rect.bottom = m_rect.top + height; }

  void Draw(CDC* dc) override;
  bool IsLink() const override { return m_link; }

 private:
  static bool LoadFace(std::unique_ptr<CPicture>& face, UINT& faceId, UINT id);

  std::unique_ptr<CPicture> m_hotFace;
  std::unique_ptr<CPicture> m_pressedOverlay;
  std::unique_ptr<CPicture> m_disabledFace;
  std::unique_ptr<CPicture> m_normalFace;
  UINT m_hotId = 0;
  UINT m_pressedId = 0;
  UINT m_disabledId = 0;
  UINT m_normalId = 0;
  bool m_enabled = true;
  bool m_hot = false;
  bool m_pressed = false;
  bool m_link = false;
};
