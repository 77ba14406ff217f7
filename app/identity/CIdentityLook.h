// What the identity and More Info dialogs of a person share in their look:
// values in "Arial" 8 point, labels in its bold, the heading cut with ".."
// to its width, and the face drawn inside the frame control.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

#include "CFont.h"

class CPicture;

class CIdentityLook {
 public:
  static constexpr int kFaceFrame = 1005;
  static constexpr int kHeading = 1083;

  CIdentityLook();

  void SetLabelFont(HWND dialog, std::initializer_list<int> ids);
  void SetValueFont(HWND dialog, std::initializer_list<int> ids);
  // The heading shows text, cut with ".." when it is wider than the
  // heading (measured in the system font).
  static void SetHeading(HWND dialog, const std::string& text);
  // The face, from the frame's top left inside its border and no larger
  // than the frame, then the frame.
  static void PaintFace(HWND dialog, HDC dc, CPicture& face);

 private:
  CFont m_valueFont;
  CFont m_labelFont;
};
