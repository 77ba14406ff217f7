// The avatar windows of the persons of the place: one window a person,
// created when it enters, laid out when it moves, deleted when it leaves.
// It is also what the windows ask of the application: the page frame they
// lie on, the avatar sizes, the shared pictures of the resource library.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "AvatarPlacement.h"
#include "IMemberWndHost.h"

class CPresenceWnd;
class CPicture;
class CZrApp;
class CZrPerson;

class CAvatarWindows : public IMemberWndHost {
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

  // IMemberWndHost
  CWnd* GetPlaceWnd() const override;
  AvatarPage GetPageArea() const override;
  bool IsPageActive() const override;
  bool IsIgnored(uint32_t person) const override;
  const AvatarSizes& GetSizes() const override { return m_sizes; }
  HMODULE GetResourceModule() const override;
  CPicture* GetSharedPicture(uint32_t bitmapId) override;
  bool UsesPlaceholderOption() const override { return false; }
  bool IsLocalModerator() const override;
  void OnAvatarWithdrawn() override;

 private:
  CZrApp& m_app;
  AvatarSizes m_sizes;
  std::map<const CZrPerson*, CPresenceWnd*> m_windows;
  std::map<uint32_t, std::unique_ptr<CPicture>> m_pictures;
};
