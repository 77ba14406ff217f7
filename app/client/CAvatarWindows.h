// The avatar windows of the persons of the place: one window a person,
// created when it enters, laid out when it moves, deleted when it leaves,
// and the local user's own avatar, which the user drags to move. It is also
// what the windows ask of the application: the page frame they lie on, the
// avatar sizes, the shared pictures and colours of the resource library,
// the indicator that lets them be dragged, the name bubble.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>

#include "AvatarPlacement.h"
#include "IMemberWndHost.h"
#include "ZrWndHost.h"

class CMyselfWnd;
class CPresenceWnd;
class CPicture;
class CZrApp;
class CZrPerson;

class CAvatarWindows : public IMemberWndHost, public ZrWndHost {
 public:
  explicit CAvatarWindows(CZrApp& app);
  ~CAvatarWindows();

  // Sizes follow the big-avatar option and the screen; read at start-up.
  void InitMetrics(bool bigAvatars);

  // A new window for the person over the page, laid out and shown.
  void Create(CZrPerson& person);
  CPresenceWnd* Find(const CZrPerson& person) const;
  void Destroy(CZrPerson& person);
  // Every window goes (the place ends).
  void DestroyAll();

  // The own avatar, made on first use over the page.
  void ShowOwn(bool show);
  void LayoutOwn();
  CMyselfWnd* GetOwn() const { return m_own; }
  // Repaints every avatar (the palette changed).
  void RedrawAll();

  // IMemberWndHost
  CWnd* GetPlaceWnd() const override;
  bool EnsureOwn();
  AvatarPage GetPageArea() const override;
  bool IsPageActive() const override;
  bool IsIgnored(uint32_t person) const override;
  std::string DisplayNameOf(const CZrObject& person) const override;
  std::string IgnoredText() const override;
  const AvatarSizes& GetSizes() const override { return m_sizes; }
  HMODULE GetResourceModule() const override;
  CPicture* GetSharedPicture(uint32_t bitmapId) override;
  bool UsesPlaceholderOption() const override { return false; }
  bool IsLocalModerator() const override;
  void OnAvatarWithdrawn() override;
  void MoveMyself(uint16_t x, uint16_t y) override;
  void PaintBalloonTails(HWND window, HDC dc) override;

  // ZrWndHost
  int32_t GetIndicatorState() const override;
  CWnd* GetMainWnd() const override;
  CNameBubble* GetNameBubble() const override;
  CWnd* GetPageWnd() const override { return GetPlaceWnd(); }
  bool IsMyselfInPlainGroup() const override;
  COLORREF GetColor(uint32_t index) const override;
  void RegisterIdleWindow(CWnd* wnd) override { m_redrawn.insert(wnd); }
  void UnregisterIdleWindow(CWnd* wnd) override { m_redrawn.erase(wnd); }

 private:
  CZrApp& m_app;
  AvatarSizes m_sizes;
  std::map<const CZrPerson*, CPresenceWnd*> m_windows;
  std::map<uint32_t, std::unique_ptr<CPicture>> m_pictures;
  CMyselfWnd* m_own = nullptr;
  std::set<CWnd*> m_redrawn;
};
