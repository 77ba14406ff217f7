// The participation indicator: a strip window whose frame is the local
// user's participation state. 0 waiting, 1 participating, 2 observing,
// 3 disconnected; 4 is a request that only hides the people text and is
// never stored. A change to participating has the main window replay the
// queued DDE commands.
#pragma once
#include <windows.h>

#include "CBitmapStripWnd.h"
#include "CMenu.h"

class CIndicatorButton : public CBitmapStripWnd {
 public:
  enum State : UINT {
    kWaiting = 0,
    kParticipating = 1,
    kObserving = 2,
    kDisconnected = 3,
    kHidePeople = 4,
  };
  // Posted to the main window when the state becomes participating.
  static constexpr UINT kReplayDdeMessage = 0x507;

  // menuId: the context menu resource, 0 for none.
  explicit CIndicatorButton(UINT menuId);

  // The indicator's frame is its state: SetFrame is SetState.
  void SetFrame(UINT state) override { SetState(state); }
  void SetState(UINT state);
  UINT GetState() const { return GetFrame(); }

  // Makes the indicator a visible child of parent at (0, 0); loads the menu.
  // 1 with the menu loaded, 0 without a menu id, -1 when the strip or the
  // menu could not be loaded (no window without the strip).
  int Create(CWnd* parent, UINT bitmapId, UINT stateCount);
  // Shows frame at once without changing the state; the next repaint shows
  // the state again.
  void ShowFrameOnce(UINT frame);
  // Puts the indicator above the root place's page area.
  void PlaceAtPageOrigin();

 protected:
  void OnPaint();
  void OnLButtonDown(UINT flags, POINT point);
  void OnRButtonDown(UINT flags, POINT point);
  DECLARE_MESSAGE_MAP()

 private:
  using CBitmapStripWnd::Create;
  void Redraw();

  UINT m_bitmapId = 0;
  SIZE m_frameSize{0, 0};
  UINT m_menuId;
  CMenu m_menu;
};
