// CTourLeaderWnd: the preview of one tour vehicle in the Tour Setup dialog,
// its picture over the tour's name on white. It can be dragged: the drop is
// taken only over the user's own avatar, where it starts the tour.
#pragma once

#include <functional>

#include "CaptionedPictureWnd.h"

class CTourLeaderWnd : public CCaptionedPictureWnd {
 public:
  struct Owner {
    // Whether the screen point lies on the user's own avatar.
    std::function<bool(POINT)> overOwnAvatar;
    // The vehicle was dropped there.
    std::function<void(int capacity)> dropped;
    std::function<void(int capacity)> doubleClicked;
  };

  CTourLeaderWnd(int capacity, int width, int height, Owner owner);

  int Capacity() const { return m_capacity; }

  bool OnDragOver(int32_t x, int32_t y, int32_t* kind) override;
  bool OnDrop(int32_t x, int32_t y) override;

 protected:
  void OnLButtonDblClk(UINT flags, POINT point);
  DECLARE_MESSAGE_MAP()

 private:
  int m_capacity;
  Owner m_owner;
};
