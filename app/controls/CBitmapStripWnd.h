// A child window that shows one frame of a horizontal bitmap strip: frame n
// is the n-th equal-width slice of the bitmap. The participation indicator
// and the busy animation are strip windows.
#pragma once
#include <windows.h>

#include <memory>

#include "CBitmap.h"
#include "CRedrawListEntry.h"
#include "CWnd.h"
#include "MessageMap.h"

class CDC;

class CBitmapStripWnd : public CWnd {
 public:
  CBitmapStripWnd() = default;

  virtual UINT GetFrame() const { return m_frame; }
  // Shows frame n (clamped to the last frame) at once; nothing when it is
  // already shown.
  virtual void SetFrame(UINT frame);
  virtual void Show(bool show);
  // A visible child of parent at (x, y), one frame in size; frame count 0
  // is taken as 1. Without the bitmap the window is still made, 0 by 0.
  virtual bool Create(CWnd* parent, int x, int y, UINT bitmapId, UINT frameCount, UINT childId);

  // Width and height of the whole strip; 0, 0 without a bitmap.
  SIZE GetBitmapSize() const;
  UINT GetFrameCount() const { return m_frameCount; }

 protected:
  // Sets the frame count (at least 1) and loads the strip from the resource
  // module; false when it is missing.
  bool LoadStrip(UINT bitmapId, UINT frameCount);
  int FrameWidth() const;
  UINT ClampFrame(UINT frame) const { return frame < m_frameCount ? frame : m_frameCount - 1; }
  // A child window of one frame's size, titled "INDICATION".
  bool CreateStripWindow(CWnd* parent, POINT at, UINT classStyle, HCURSOR cursor, int stockBrush,
                         DWORD style, UINT childId);
  // Draws the strip through a picture of bitmapId (with the application
  // palette) into a memory bitmap, then copies the current frame's slice.
  void PaintFrameFromPicture(CDC& dc, UINT bitmapId);

  int OnCreate(LPCREATESTRUCT create);
  void OnDestroy();
  void OnPaint();
  DECLARE_MESSAGE_MAP()

  std::unique_ptr<CBitmap> m_bitmap;
  UINT m_frameCount = 1;
  UINT m_frame = 0;

 private:
  void CopyFrame(CDC& dc, CDC& strip);

  CRedrawListEntry m_redrawEntry;
};
