// The balloons over the page: one balloon a target (an avatar window) at a
// time, each placed in a free corner of its target, aged on one 200 ms
// timer of the owner window and closed when its lifetime has passed, when
// its target gets a new one, or when it is clicked. Its tail is painted
// into the target by the target's paint code (PaintTails).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BalloonLayout.h"

class CBalloonWnd;

class CBalloonManager {
 public:
  static constexpr UINT_PTR kTimerId = 1000;

  explicit CBalloonManager(HWND owner = nullptr) : m_owner(owner) {}
  ~CBalloonManager();
  CBalloonManager(const CBalloonManager&) = delete;
  CBalloonManager& operator=(const CBalloonManager&) = delete;

  void SetOwner(HWND owner) { m_owner = owner; }
  // Texts of balloons pass through it (the word filter); none: as they are.
  void SetTextFilter(std::function<std::string(const std::string&)> filter) { m_filter = std::move(filter); }

  // Shows text beside target, in parent's client area; false when nothing
  // is shown (no text, no timer, no visible corner).
  bool Show(HWND target, HWND parent, int32_t lifetime, COLORREF colour, int pointSize, const std::string& text);
  void Remove(HWND target, bool keepTargetPainted);
  void RemoveByBalloon(CBalloonWnd* balloon);
  void RemoveAll();
  void OnTimer(UINT_PTR id);
  // Draws the tails of target's balloons into dc (target's client
  // coordinates).
  void PaintTails(HWND target, HDC dc) const;
  // A balloon window going away takes its entries with it.
  void OnBalloonDestroyed(CBalloonWnd* balloon);

  size_t Count() const { return m_entries.size(); }
  // The balloon of target, or null.
  CBalloonWnd* Find(HWND target) const;

 private:
  struct Entry {
    HWND target;
    CBalloonWnd* balloon;
    int32_t age;
    int32_t lifetime;
    BalloonCorner corner;
  };

  BalloonCorner Place(HWND target, HWND parent, CBalloonWnd& balloon);
  void Close(const Entry& entry, bool repaintTarget);
  void StopTimerWhenIdle();

  HWND m_owner;
  UINT_PTR m_timer = 0;
  std::vector<Entry> m_entries;
  std::function<std::string(const std::string&)> m_filter;
};
