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
#include "ICommandTarget.h"
#include "IMemberWndHost.h"
#include "ZrWndHost.h"

class CGroupWnd;
class CMemberWnd;
class CMyselfWnd;
class CSeatRowWnd;
class CPresenceWnd;
class CPicture;
class CZrApp;
class CZrGroup;
class CZrPerson;

class CAvatarWindows : public IMemberWndHost, public ZrWndHost, public ICommandTarget {
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

  // The window of a group of the place (group, tour or game window), made
  // on first use, laid out with its members and shown; seat rows have none
  // here.
  void ShowGroup(CZrGroup& group);
  void RelayoutGroup(CZrGroup& group);
  void WithdrawGroup(CZrGroup& group);
  void RepaintGroup(CZrGroup& group);
  // The group goes: its members' windows return to the page first.
  void DestroyGroup(CZrGroup& group);
  // The window of the seat row the user sits in, along the page's foot,
  // made on first use; a seat that frees gets its marker again.
  void ShowRow(CZrGroup& row);
  void FreeSeat(CZrGroup& row, uint16_t seat);

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
  void MoveGroup(const CZrObject& group, uint16_t x, uint16_t y) override;
  CMemberWnd* FindWindowOf(const CZrObject& member) const override;
  CMemberWnd* GroupWindowFor(const CZrObject& group) override;
  MemberContainer ContainerKindOf(const CZrObject* container) const override;
  void PreparePersonMenu(HMENU menu, const CZrObject& person) override;
  void RunPersonCommand(UINT command, const CZrObject& person) override;
  void SendDroppedFile(const CZrObject& person, const std::string& path) override;
  void PrepareGroupMenu(HMENU menu, const CZrObject& group) override;
  void RunGroupCommand(UINT command, const CZrObject& group) override;
  void JoinGroup(const CZrObject& group) override;
  const std::vector<CSlotAttr>* GameSlotsOf(const CZrObject& game) const override;
  bool UsesBigAvatars() const override;
  void JoinGame(const CZrObject& game, uint16_t slot) override;
  const CZrObject* GetOwnMember() const override;
  CSeatRowWnd* RowWindowOf(const CZrObject& row) const override;
  bool ShowsSeatRows() const override { return true; }
  void ChooseSeat(const CZrObject& row, uint16_t seat) override;
  void LeaveRow(const CZrObject& row) override;
  std::string LoadText(uint32_t id) const override;
  void StartGroupWith(const CZrObject& person) override;
  void PrepareOwnMenu(HMENU menu) override;
  void RunOwnCommand(UINT command) override;
  void PublishOwnItem(uint16_t code, const std::string& text) override;

  // ICommandTarget: the moods and flips of the own avatar.
  void UpdateCommand(UINT id, CCmdUI* ui) override;
  void RunCommand(UINT id) override;
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
  void OfferParticipateOnly(HMENU menu);
  void ZoomOnChange(bool wasShown);

  CZrApp& m_app;
  AvatarSizes m_sizes;
  CGroupWnd* MakeGroupWindow(CZrGroup& group);
  // The user's own group: the person is already the group's own member.
  bool IsOwnGroup(const CZrObject& group) const;
  void LeaveOwnGroup(const CZrObject& group);
  // The member windows of a group's window go back to the page, hidden.
  void ReleaseMembers(CZrGroup& group);
  void PlaceRow(CSeatRowWnd& row);

  std::map<const CZrPerson*, CPresenceWnd*> m_windows;
  std::map<const CZrObject*, CGroupWnd*> m_groups;
  std::map<const CZrObject*, CSeatRowWnd*> m_rows;
  std::map<uint32_t, std::unique_ptr<CPicture>> m_pictures;
  CMyselfWnd* m_own = nullptr;
  std::set<CWnd*> m_redrawn;
};
