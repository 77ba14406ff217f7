// A chat balloon: a small child window beside an avatar window (its target)
// showing a line of chat text, wrapped, in a font of the size asked for,
// with a black border open where its tail meets the target. A click on it
// (any button) asks the balloon manager to remove it. The window deletes
// itself once destroyed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "BalloonLayout.h"
#include "CWnd.h"
#include "MessageMap.h"

class CBalloonManager;

class CBalloonWnd : public CWnd {
 public:
  static constexpr char kClassName[] = "ZrChatBalloon";

  CBalloonWnd(CBalloonManager& manager, COLORREF colour, int pointSize);

  // Makes the hidden window under parent and measures text in its font;
  // false when it cannot be made (the object is then to be deleted by the
  // caller).
  bool Create(HWND parent, const std::string& text);
  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  COLORREF GetColour() const { return m_colour; }
  const std::string& GetText() const { return m_text; }
  void SetCorner(BalloonCorner corner) { m_corner = corner; }
  BalloonCorner GetCorner() const { return m_corner; }

 protected:
  void OnPaint();
  void OnLButtonDown(UINT flags, POINT point);
  void OnRButtonDown(UINT flags, POINT point);
  void OnMButtonDown(UINT flags, POINT point);
  void OnDestroy();
  void PostNcDestroy() override;
  DECLARE_MESSAGE_MAP()

 private:
  void Measure();
  void DrawBorder(HDC dc, int width, int height) const;

  CBalloonManager& m_manager;
  COLORREF m_colour;
  int m_pointSize;
  HFONT m_font = nullptr;
  std::string m_text;
  std::vector<std::string> m_lines;
  int m_width = kBalloonMinWidth;
  int m_height = 0;
  BalloonCorner m_corner = kNoCorner;
};
