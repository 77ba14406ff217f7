#include "CTourLeaderWnd.h"

BEGIN_MESSAGE_MAP(CTourLeaderWnd, CCaptionedPictureWnd)
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CTourLeaderWnd::CTourLeaderWnd(int capacity, int width, int height, Owner owner)
    : CCaptionedPictureWnd(width, height), m_capacity(capacity), m_owner(std::move(owner)) {
  SetDragEnabled(true);
}

bool CTourLeaderWnd::OnDragOver(int32_t x, int32_t y, int32_t* kind) {
  if (kind) *kind = 0;
  return m_owner.overOwnAvatar && m_owner.overOwnAvatar(POINT{x, y});
}

bool CTourLeaderWnd::OnDrop(int32_t x, int32_t y) {
  if (!OnDragOver(x, y, nullptr)) return false;
  if (m_owner.dropped) m_owner.dropped(m_capacity);
  return true;
}

void CTourLeaderWnd::OnLButtonDblClk(UINT, POINT) {
  if (m_owner.doubleClicked) m_owner.doubleClicked(m_capacity);
}
