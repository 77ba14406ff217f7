// An owner-drawn push button with a solid face colour, a 3-D frame and an
// optional picture. The caption is split at its first "@": the text before
// it stands left of the picture, the text after it right of the picture,
// and the three are centred as one group.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "CButton.h"
#include "CRedrawListEntry.h"

class CDC;
class CPicture;

class CColorButton : public CButton {
 public:
  CColorButton();

  // disabledPictureId 0 means the same picture when disabled.
  void SetColors(uint16_t pictureId, uint16_t disabledPictureId, COLORREF face, COLORREF frame);
  // Shows the picture (when one is set) or hides it.
  void SetHighlight(bool show);
  void SetColorValue(COLORREF face);
  void SetExtraColor2(COLORREF frame);
  void DrawItem(LPDRAWITEMSTRUCT item) override;

 protected:
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  struct Label {
    std::string text;
    SIZE size{0, 0};
    POINT at{0, 0};
  };
  void DrawFace(CDC& dc, const DRAWITEMSTRUCT& item);
  // Loads the picture for the item state; false without one.
  bool LoadPicture(CPicture& picture, bool disabled) const;
  void DrawLabel(CDC& dc, const Label& label, const RECT& clip, UINT state) const;
  void Redraw();

  uint16_t m_pictureId = 0;
  uint16_t m_disabledPictureId = 0;
  bool m_showPicture = false;
  COLORREF m_faceColour;
  COLORREF m_frameColour;
  CRedrawListEntry m_redrawEntry;
};
