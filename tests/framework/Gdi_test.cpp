// The GDI wrappers release what they hold: a thousand paint cycles that
// create and select pens, brushes, fonts, bitmaps, regions, palettes and
// memory and client contexts leave no GDI object behind.
#include <gtest/gtest.h>

#include <vector>

#include "CBitmap.h"
#include "CBrush.h"
#include "CClientDC.h"
#include "CFont.h"
#include "CPaintDC.h"
#include "CPalette.h"
#include "CPen.h"
#include "CRgn.h"
#include "CWnd.h"
#include "CWindowDC.h"
#include "TempObjects.h"
#include "TestSupport.h"

namespace {

// Live GDI objects of this process. Wine's GetGuiResources answers 0, so
// there the objects are counted by asking every slot of the process's GDI
// handle table for its object type.
DWORD LiveGdiObjects() {
  DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported) {
    return reported;
  }
  DWORD live = 0;
  for (UINT_PTR slot = 1; slot < 0x10000; ++slot) {
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) {
      ++live;
    }
  }
  return live;
}

class PaintWnd : public CWnd {
 public:
  int paints = 0;

 protected:
  void OnPaint() {
    ++paints;
    CPen pen;
    pen.CreatePen(PS_SOLID, 2, RGB(200, 30, 30));
    CBrush brush;
    brush.CreateSolidBrush(RGB(30, 200, 30));
    CFont font;
    font.CreateFont(-11, FW_BOLD, "Arial");
    CBitmap bitmap;
    CRgn clip;
    clip.CreateRectRgn(0, 0, 60, 60);
    CRgn other;
    other.CreateEllipticRgn(10, 10, 50, 50);
    clip.CombineRgn(clip, other, RGN_XOR);
    struct {
      LOGPALETTE header;
      PALETTEENTRY more[1];
    } entries{{0x300, 2, {{255, 0, 0, 0}}}, {{0, 0, 255, 0}}};
    CPalette palette;
    palette.CreatePalette(&entries.header);

    CPaintDC dc(this);
    bitmap.CreateCompatibleBitmap(dc, 64, 64);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    memory.SelectObject(&bitmap);
    memory.SelectObject(&pen);
    memory.SelectObject(&brush);
    memory.Rectangle(RECT{0, 0, 64, 64});
    memory.SelectObject(&font);
    memory.TextOut(2, 2, "paint");
    dc.SelectPalette(&palette, true);
    dc.RealizePalette();
    dc.SelectClipRgn(&clip);
    dc.BitBlt(0, 0, 64, 64, &memory, 0, 0, SRCCOPY);

    CClientDC client(this);
    CPen* old = client.SelectObject(&pen);
    client.MoveTo(0, 0);
    client.LineTo(40, 40);
    client.SelectObject(old);
    CWindowDC window(this);
    window.FillSolidRect(RECT{0, 0, 4, 4}, RGB(1, 2, 3));
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintWnd, CWnd)
  ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(GdiWrappers, CountOfLiveObjectsSeesLeaks) {
  DWORD before = LiveGdiObjects();
  std::vector<HPEN> leaked;
  for (int i = 0; i < 50; ++i) {
    leaked.push_back(::CreatePen(PS_SOLID, 1, RGB(i, 0, 0)));
  }
  EXPECT_GE(LiveGdiObjects(), before + 50);
  for (HPEN pen : leaked) {
    ::DeleteObject(pen);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(GdiWrappers, ThousandPaintCyclesLeaveNoObjectBehind) {
  PaintWnd wnd;
  RECT place{0, 0, 120, 120};
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "paint", WS_POPUP | WS_VISIBLE, place, nullptr, 0));
  auto paintOnce = [&] {
    wnd.Invalidate();
    wnd.UpdateWindow();
  };
  for (int i = 0; i < 10; ++i) {
    paintOnce();
  }
  zr::DeleteTempObjects();
  DWORD before = LiveGdiObjects();
  int paintsBefore = wnd.paints;
  for (int i = 0; i < 1000; ++i) {
    paintOnce();
  }
  zr::DeleteTempObjects();
  EXPECT_EQ(wnd.paints - paintsBefore, 1000);
  EXPECT_LE(LiveGdiObjects(), before);
  wnd.DestroyWindow();
}

}  // namespace
