#include "CIdentityLook.h"

#include <algorithm>

#include "CDC.h"
#include "Picture.h"
#include "ZrIdentityText.h"

namespace {

constexpr int kPointSize = 8;
constexpr char kFaceName[] = "Arial";

int FontHeight() {
  HDC screen = ::GetDC(nullptr);
  const int height = -::MulDiv(kPointSize, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
  ::ReleaseDC(nullptr, screen);
  return height;
}

void SetFont(HWND dialog, std::initializer_list<int> ids, HFONT font) {
  for (int id : ids) ::SendDlgItemMessageA(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

RECT ControlRect(HWND dialog, int id) {
  RECT rect{};
  HWND control = ::GetDlgItem(dialog, id);
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

CIdentityLook::CIdentityLook() {
  const int height = FontHeight();
  m_valueFont.CreateFont(height, FW_NORMAL, kFaceName);
  m_labelFont.CreateFont(height, FW_BOLD, kFaceName);
}

void CIdentityLook::SetLabelFont(HWND dialog, std::initializer_list<int> ids) {
  SetFont(dialog, ids, m_labelFont);
}

void CIdentityLook::SetValueFont(HWND dialog, std::initializer_list<int> ids) {
  SetFont(dialog, ids, m_valueFont);
}

void CIdentityLook::SetHeading(HWND dialog, const std::string& text) {
  HWND heading = ::GetDlgItem(dialog, kHeading);
  RECT client{};
  ::GetClientRect(heading, &client);
  HDC dc = ::GetDC(heading);
  HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(SYSTEM_FONT));
  auto widthOf = [dc](const std::string& piece) {
    SIZE size{};
    ::GetTextExtentPoint32A(dc, piece.c_str(), static_cast<int>(piece.size()), &size);
    return static_cast<int>(size.cx);
  };
  const std::string shown = FitWithDots(text, client.right - client.left, widthOf);
  ::SelectObject(dc, old);
  ::ReleaseDC(heading, dc);
  ::SetWindowTextA(heading, shown.c_str());
}

void CIdentityLook::PaintFace(HWND dialog, HDC dc, CPicture& face) {
  const RECT frame = ControlRect(dialog, kFaceFrame);
  RECT picture = frame;
  ::InflateRect(&picture, -1, -1);
  picture.right = std::min<LONG>(picture.right, picture.left + std::max(1, face.Width()));
  picture.bottom = std::min<LONG>(picture.bottom, picture.top + std::max(1, face.Height()));
  CDC* target = CDC::FromHandle(dc);
  face.Draw(target, picture);
  ::FrameRect(dc, &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}
