// The chat tab container in the main window's lower area: a row of tabs
// along its bottom, the current page above it and an optional side window
// at the top. It owns the room page (and the broadcast page, when the
// application gives a maker for it), creates pages for tours, games,
// auditorium rows, the stage, persons and conversations on demand, routes
// every chat line to its page, tears pages off into floating frames and
// docks them back, and keeps the main window's layout mode in step with the
// page shown.
//
// Pages of any kind join with AddPage; chat pages of the kinds it knows
// with the Create...Tab calls. Lines arrive with AddLine.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "CChatPage.h"
#include "CPageTabRow.h"
#include "IPaneContainer.h"

class CChatTabWnd : public CPageTabRow, public IPaneContainer {
 public:
  // Resource strings of page titles and tooltips.
  static constexpr UINT kChatRoomTitle = 345;
  static constexpr UINT kChatRoomTip = 346;
  static constexpr UINT kBroadcastTitle = 1322;
  static constexpr UINT kBroadcastTip = 1321;
  static constexpr UINT kTourTitle = 338;
  static constexpr UINT kGameTitle = 339;
  static constexpr UINT kStageTitle = 340;
  static constexpr UINT kAuditoriumTitle = 341;
  static constexpr UINT kAuditoriumTip = 342;
  static constexpr UINT kPrivateRoomTitle = 343;
  static constexpr UINT kPrivateRoomTip = 344;
  static constexpr UINT kPersonPrefix = 504;
  static constexpr UINT kChatIntoTip = 1323;
  static constexpr UINT kChatWithTip = 1324;
  static constexpr UINT kRowTip = 1319;
  // Place types of SetPlaceKind.
  static constexpr int kPlainPlace = 0;
  static constexpr int kAuditoriumPlace = 1;
  static constexpr int kPrivatePlace = 2;

  using PageMaker = std::function<std::unique_ptr<CPaneDlg>()>;

  CChatTabWnd();
  ~CChatTabWnd() override;

  // The maker of the broadcast page, given before Init; without one there
  // is no broadcast tab.
  static void SetBroadcastPageMaker(PageMaker maker);

  // Creates the tab row under host, the room and broadcast tabs (the room
  // page current) and lays out.
  bool Init(CWnd* host);
  // Makes the page's window (a child of the host, or floating in its own
  // frame) and adds its tab; null when the window cannot be made.
  CPaneDlg* AddPage(std::unique_ptr<CPaneDlg> page, uint32_t targetId, bool floating, const std::string& tooltip);
  // Chat pages of the container's own kinds; an existing page of the
  // target is returned as it is.
  CChatPage* CreateTourTab(uint32_t tourId);
  CChatPage* CreateGameTab(uint32_t gameId);
  CChatPage* CreateStageTab(uint32_t stageId);
  CChatPage* CreatePersonTab(uint32_t personId, const std::string& name);
  CChatPage* CreateRowTab(uint32_t rowId, const std::string& rowName);

  void RemovePage(int index);
  void SelectTab(CPaneDlg* page, bool selectItem);
  // Callers never pass the room page.
  void ClosePage(CPaneDlg* page);
  void CloseTargetPage(uint32_t targetId);
  // The road of every chat line into a page.
  void AddLine(uint32_t targetId, const std::string& name, bool privateLine, bool speakerClass,
               const std::string& text);
  // Relabels the room page by the place type.
  void SetPlaceKind(int type);
  // Docks the room and broadcast pages, selects the room page and removes
  // every other page.
  void ResetTabs();
  void ShowFloatingPages();
  void AttachSideWindow(CWnd* window);
  void DetachSideWindow(CWnd* window);
  void Layout();

  CPaneDlg* GetActivePage() const { return m_current; }
  CChatPage* GetRoomPage() const { return m_roomPage; }
  CPaneDlg* GetBroadcastPage() const { return m_broadcastPage; }
  CPaneDlg* FindTargetPage(uint32_t targetId) const;
  int GetTabStripHeight() const { return GetHeight(); }
  RECT GetPageRect() const { return m_pageRect; }

  // IPaneContainer
  void FloatPage(CPaneDlg* pane) override;
  void DockPage(CPaneDlg* pane) override;
  void FitPage(CPaneDlg* pane) override;
  void GetFloatFrameSize(POINT& position, SIZE& size) override;
  void SelectPageFor(uint32_t targetId) override;
  void HighlightPage(CPaneDlg* pane, bool highlight) override;
  void RepaintTabs() override;
  CWnd* GetDockParent() override { return m_host; }

 protected:
  void OnPageChosen(CPaneDlg* page) override;
  void OnToggleFloat(int index) override;
  void OnTabMenu(int index) override;
  void ClosePageWindow(CPaneDlg* page) override;

 private:
  CChatPage* CreateChatTab(ChatPageKind kind, uint32_t targetId, const std::string& title, const std::string& tooltip);
  // The tabs of the docked pages, in page order, the current one selected.
  void RebuildTabs();
  // The next docked page after index (wrapping), or null.
  CPaneDlg* NextDockedPage(int index) const;
  void FollowLayoutMode(CPaneDlg* page);
  // The main window lays its panes out again (a side window came or went).
  static void RecalcMainLayout();

  CWnd* m_host = nullptr;
  CPaneDlg* m_current = nullptr;
  CChatPage* m_roomPage = nullptr;
  CPaneDlg* m_broadcastPage = nullptr;
  CWnd* m_sideWindow = nullptr;
  RECT m_sideRect{};
  RECT m_pageRect{};
  RECT m_stripRect{};
  std::map<const CPaneDlg*, std::string> m_tips;
};
