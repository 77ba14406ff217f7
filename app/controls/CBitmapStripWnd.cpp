#include "CBitmapStripWnd.h"

#include "AppPalette.h"
#include "CPaintDC.h"
#include "ModuleState.h"
#include "Picture.h"

namespace {

// The title of every strip window.
constexpr UINT kIndicationString = 536;

}  // namespace

BEGIN_MESSAGE_MAP(CBitmapStripWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CBitmapStripWnd::SetFrame(UINT frame) {
  if (frame == m_frame) return;
  m_frame = ClampFrame(frame);
  if (!m_hWnd) return;
  Invalidate(false);
  UpdateWindow();
}

void CBitmapStripWnd::Show(bool show) {
  if (m_hWnd) ShowWindow(show ? SW_SHOW : SW_HIDE);
}

bool CBitmapStripWnd::Create(CWnd* parent, int x, int y, UINT bitmapId, UINT frameCount,
                             UINT childId) {
  LoadStrip(bitmapId, frameCount);
  return CreateStripWindow(parent, POINT{x, y}, CS_HREDRAW | CS_VREDRAW, nullptr, GRAY_BRUSH,
                           WS_CHILD | WS_VISIBLE, childId);
}

SIZE CBitmapStripWnd::GetBitmapSize() const {
  return m_bitmap ? m_bitmap->GetSize() : SIZE{0, 0};
}

bool CBitmapStripWnd::LoadStrip(UINT bitmapId, UINT frameCount) {
  m_frameCount = frameCount ? frameCount : 1;
  m_bitmap = std::make_unique<CBitmap>();
  if (!m_bitmap->LoadBitmap(bitmapId)) m_bitmap.reset();
  return m_bitmap != nullptr;
}

int CBitmapStripWnd::FrameWidth() const {
  return GetBitmapSize().cx / static_cast<int>(m_frameCount);
}

bool CBitmapStripWnd::CreateStripWindow(CWnd* parent, POINT at, UINT classStyle, HCURSOR cursor,
                                        int stockBrush, DWORD style, UINT childId) {
  const char* windowClass = RegisterWndClass(
      classStyle, cursor, static_cast<HBRUSH>(::GetStockObject(stockBrush)));
  RECT rect{at.x, at.y, at.x + FrameWidth(), at.y + GetBitmapSize().cy};
  return CreateEx(0, windowClass, AfxLoadString(kIndicationString).c_str(), style, rect, parent,
                  childId);
}

int CBitmapStripWnd::OnCreate(LPCREATESTRUCT) {
  m_redrawEntry.Add(m_hWnd);
  return 0;
}

void CBitmapStripWnd::OnDestroy() { m_redrawEntry.Remove(); }

void CBitmapStripWnd::OnPaint() {
  CPaintDC dc(this);
  if (!m_bitmap) return;
  CDC strip;
  strip.CreateCompatibleDC(&dc);
  strip.SelectObject(m_bitmap.get());
  CopyFrame(dc, strip);
}

void CBitmapStripWnd::PaintFrameFromPicture(CDC& dc, UINT bitmapId) {
  CAppPalette::Get().Select(&dc);
  SIZE size = GetBitmapSize();
  CBitmap canvas;
  canvas.CreateCompatibleBitmap(dc, size.cx, size.cy);
  CDC strip;
  strip.CreateCompatibleDC(&dc);
  strip.SelectObject(&canvas);
  CPicture picture;
  if (picture.LoadResource(AfxGetResourceHandle(), bitmapId, -1)) {
    picture.Draw(&strip, RECT{0, 0, size.cx, size.cy});
    CopyFrame(dc, strip);
  }
  CAppPalette::Get().Restore(&dc);
}

void CBitmapStripWnd::CopyFrame(CDC& dc, CDC& strip) {
  int width = FrameWidth();
  dc.BitBlt(0, 0, width, GetBitmapSize().cy, &strip, width * static_cast<int>(m_frame), 0,
            SRCCOPY);
}
