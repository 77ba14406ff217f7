#include "CBalloonManager.h"

#include <algorithm>

#include "CBalloonWnd.h"

namespace {

BalloonRect RectOf(const RECT& rect) { return BalloonRect{rect.left, rect.top, rect.right, rect.bottom}; }

// The corner of target, one pixel inwards, that a balloon at corner
// points at (screen coordinates).
POINT ProbePoint(const RECT& target, BalloonCorner corner) {
  const bool right = corner == kAboveRight || corner == kBelowRight;
  const bool below = corner == kBelowLeft || corner == kBelowRight;
  return POINT{right ? target.right - 1 : target.left + 1, below ? target.bottom - 1 : target.top + 1};
}

}  // namespace

CBalloonManager::~CBalloonManager() { RemoveAll(); }

bool CBalloonManager::Show(HWND target, HWND parent, int32_t lifetime, COLORREF colour, int pointSize,
                           const std::string& text) {
  if (text.empty() || !target || !parent) return false;
  Remove(target, false);
  if (m_entries.empty() && !m_timer) {
    m_timer = ::SetTimer(m_owner, kTimerId, kBalloonTickMs, nullptr);
    if (!m_timer) return false;
  }
  auto* balloon = new CBalloonWnd(*this, colour, pointSize);
  const std::string shown = m_filter ? m_filter(text) : text;
  if (!balloon->Create(parent, shown)) {
    delete balloon;
    StopTimerWhenIdle();
    return false;
  }
  const BalloonCorner corner = Place(target, parent, *balloon);
  if (corner == kNoCorner) {
    balloon->PostMessage(WM_CLOSE);
    StopTimerWhenIdle();
    return false;
  }
  ::InvalidateRect(target, nullptr, TRUE);
  m_entries.push_back(Entry{target, balloon, 0, BalloonLifetimeForText(lifetime, text.size()), corner});
  return true;
}

BalloonCorner CBalloonManager::Place(HWND target, HWND parent, CBalloonWnd& balloon) {
  RECT client{};
  ::GetClientRect(parent, &client);
  ::MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT targetRect{};
  ::GetWindowRect(target, &targetRect);
  std::vector<BalloonRect> others;
  for (const Entry& entry : m_entries) {
    RECT other{};
    ::GetWindowRect(entry.balloon->m_hWnd, &other);
    others.push_back(RectOf(other));
  }
  const BalloonRect targetArea = RectOf(targetRect);
  const BalloonRect free = ShrinkFreeArea(RectOf(client), targetArea, others);
  const int width = balloon.GetWidth();
  const int height = balloon.GetHeight();
  auto visible = [&](BalloonCorner corner) {
    const POINT probe = ProbePoint(targetRect, corner);
    HWND found = ::WindowFromPoint(probe);
    return found == target || ::IsChild(target, found);
  };
  const BalloonCorner corner =
      ChooseBalloonCorner(PreferredCorner(free, targetArea), targetArea, free, width, height, visible);
  if (corner == kNoCorner) return corner;
  balloon.SetCorner(corner);
  const BalloonPoint at = BalloonPosition(corner, targetArea, width, height);
  POINT origin{at.x, at.y};
  ::ScreenToClient(parent, &origin);
  ::SetWindowPos(balloon.m_hWnd, HWND_TOP, origin.x, origin.y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return corner;
}

void CBalloonManager::Close(const Entry& entry, bool repaintTarget) {
  if (entry.balloon->m_hWnd) {
    entry.balloon->ShowWindow(SW_HIDE);
    entry.balloon->PostMessage(WM_CLOSE);
  }
  if (repaintTarget && ::IsWindow(entry.target)) ::InvalidateRect(entry.target, nullptr, TRUE);
}

void CBalloonManager::Remove(HWND target, bool keepTargetPainted) {
  const auto found =
      std::find_if(m_entries.begin(), m_entries.end(), [target](const Entry& entry) { return entry.target == target; });
  if (found == m_entries.end()) return;
  const Entry entry = *found;
  m_entries.erase(found);
  Close(entry, !keepTargetPainted);
}

void CBalloonManager::RemoveByBalloon(CBalloonWnd* balloon) {
  const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                  [balloon](const Entry& entry) { return entry.balloon == balloon; });
  if (found == m_entries.end()) return;
  const Entry entry = *found;
  m_entries.erase(found);
  Close(entry, true);
  StopTimerWhenIdle();
}

void CBalloonManager::RemoveAll() {
  std::vector<Entry> entries;
  entries.swap(m_entries);
  for (const Entry& entry : entries)
    if (entry.balloon->m_hWnd) entry.balloon->DestroyWindow();
  StopTimerWhenIdle();
}

void CBalloonManager::OnBalloonDestroyed(CBalloonWnd* balloon) {
  m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                 [balloon](const Entry& entry) { return entry.balloon == balloon; }),
                  m_entries.end());
}

void CBalloonManager::OnTimer(UINT_PTR id) {
  if (id != kTimerId) return;
  std::vector<Entry> expired;
  for (auto it = m_entries.begin(); it != m_entries.end();) {
    if (++it->age <= it->lifetime) {
      ++it;
      continue;
    }
    expired.push_back(*it);
    it = m_entries.erase(it);
  }
  for (const Entry& entry : expired) Close(entry, true);
  StopTimerWhenIdle();
}

void CBalloonManager::StopTimerWhenIdle() {
  if (!m_entries.empty() || !m_timer) return;
  ::KillTimer(m_owner, kTimerId);
  m_timer = 0;
}

CBalloonWnd* CBalloonManager::Find(HWND target) const {
  for (const Entry& entry : m_entries)
    if (entry.target == target) return entry.balloon;
  return nullptr;
}

void CBalloonManager::PaintTails(HWND target, HDC dc) const {
  RECT client{};
  ::GetClientRect(target, &client);
  const int w = client.right - 1;
  const int h = client.bottom - 1;
  for (const Entry& entry : m_entries) {
    if (entry.target != target || entry.corner == kNoCorner) continue;
    POINT tail[4] = {{0, 0}, {6, 0}, {18, 12}, {0, 2}};
    for (POINT& point : tail) {
      if (entry.corner == kAboveRight || entry.corner == kBelowRight) point.x = w - point.x + 1;
      if (entry.corner == kBelowLeft || entry.corner == kBelowRight) point.y = h - point.y;
    }
    HBRUSH fill = ::CreateSolidBrush(entry.balloon->GetColour());
    HGDIOBJ oldBrush = ::SelectObject(dc, fill);
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(NULL_PEN));
    ::SetPolyFillMode(dc, ALTERNATE);
    ::Polygon(dc, tail, 4);
    ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::Polyline(dc, tail + 1, 3);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(fill);
  }
}
