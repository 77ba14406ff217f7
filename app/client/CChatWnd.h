// The client's main window, window class "ZRFrame": the menu bar with its
// place menus, the tool bars in their host, the busy animation, the status
// line with the participation text beside it, and the splitters that share
// the client area between the page, the chat area and the people column.
// It is the target of the client's private messages and of the idle timer,
// and the window by which a second copy of the client, the directory program
// and outside programs find the running client.
#pragma once
#include <cstdint>
#include <string>

#include "CBalloonManager.h"
#include "CBarHost.h"
#include "CFrameWnd.h"
#include "CLogoWnd.h"
#include "CMainSplitter.h"
#include "CTabWnd.h"
#include "CZrStatusBar.h"
#include "NameBubble.h"
#include "ZrLayoutRecord.h"

class CChatTabWnd;
class CDialog;
class CPplManager;

class CChatWnd : public CFrameWnd {
  DECLARE_DYNAMIC(CChatWnd)

 public:
  static constexpr char kClassName[] = "ZRFrame";
  // Resource id of the frame's menu, accelerators, icon and title.
  static constexpr UINT kResourceId = 128;

  // Private messages; numbers of their own, not offsets from WM_USER.
  static constexpr UINT kAvatarZoomStep = 0x500;
  static constexpr UINT kShowEnterDialog = 0x502;
  static constexpr UINT kRefreshPlace = 0x503;
  static constexpr UINT kReconnect = 0x506;
  static constexpr UINT kReplayDdeCommands = 0x507;
  static constexpr UINT kHandOnTransfer = 0x508;
  static constexpr UINT kIdlePrompt = 0x509;
  static constexpr UINT kDirectoryCommand = 0x50A;
  // The client's own: the server-inaccessible question, asked out of the
  // network callback that found the server gone.
  static constexpr UINT kServerInaccessible = WM_APP + 0x50B;
  // A warning from the host to show; lParam is its text, a heap std::string
  // that the handler takes.
  static constexpr UINT kShowWarning = WM_APP + 0x50C;

  // The idle timer ticks once a minute.
  static constexpr UINT_PTR kIdleTimer = 1286;
  static constexpr UINT kIdleTimerMs = 60000;
  // Width of the participation text at the right end of the status line.
  static constexpr int kStatusIndicatorWidth = 240;

  CChatWnd();
  ~CChatWnd() override;

  // Creates the frame from the resource library with the splash shown for
  // its first seconds; false when it cannot.
  bool Init();
  // Places the frame at the settings' rectangle, or maximised.
  void PlaceFrame();

  // Status line.
  void SetStatusText(const std::string& text);
  void ShowStatusString(UINT stringId, bool keep);
  // The participation text beside the status line.
  void SetParticipationText(const std::string& text);
  CZrStatusBar& StatusBar() { return m_statusBar; }

  CNameBubble* GetNameBubble();
  // Pane (0,0) of the nested splitter: the page.
  CWnd* GetMainPane() const;
  // The people column.
  CWnd* GetPeoplePane() const;
  // The chat tab container of the lower area; null before it exists.
  CChatTabWnd* GetChatTabs() const;
  CBalloonManager& Balloons() { return m_balloons; }
  // The people manager in the people column; null while it has no window.
  CPplManager* GetPeopleManager() const;
  // Height of the tool bars above the panes; 0 while they are hidden.
  int GetToolBarHeight() const;
  // Height of the status line; 0 while it is hidden.
  int GetStatusBarHeight() const;
  // The place tool bar, or null when no bar holds a place button.
  CTabWnd* GetPlaceToolBar();
  CTabWnd* GetToolBar(int index) { return index >= 0 && index < kToolBarCount ? &m_toolBars[index] : nullptr; }

  // Menus of the place.
  void InsertPlaceMenu(UINT menuId);
  void RemovePlaceMenu(UINT menuId);
  // Place layouts: type 1 people layout, type 3 stage layout.
  void SetPlaceLayout(int32_t type, bool flag);
  bool IsPeopleLayout() const { return m_peopleLayout != 0; }
  bool IsStageLayout() const { return m_stageLayout != 0; }

  // The layout flag that the tool bar's layout menu toggles.
  bool GetLayoutFlag() const { return m_layoutFlag; }
  void ToggleLayoutFlag() { m_layoutFlag = !m_layoutFlag; }
  void ClearLayoutFlag() { m_layoutFlag = false; }

  // Idle timer: started on entering a place, stopped on a disconnect.
  void StartTimer();
  void StopIdleTimer();
  int32_t GetIdleMinutes() const { return m_idleMinutes; }
  // Every line the user sends starts the idle count again.
  void ResetIdleMinutes() { m_idleMinutes = 0; }

  // The panes' sizes for the main window's size (size type of WM_SIZE).
  void LayoutMainPanes(int32_t sizeType, int cx, int cy);
  void RecalcLayout() override;
  // Edit commands go to the chat page that has the keyboard focus, or else
  // the page shown.
  bool OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) override;

  // After a lost connection, while it was connected.
  void ResetAfterDisconnect();

  // The live panes' rectangles for the layout record.
  CZrLayoutRecord::Capture CaptureLayout(int32_t mode, int32_t defaultBottomHeight) const;

  // The busy animation of the page.
  void AnimateBusy(bool busy);

 protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  bool OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;

  int OnCreate(LPCREATESTRUCT cs);
  void OnSize(UINT type, int cx, int cy);
  void OnMove(int x, int y);
  void OnClose();
  void OnTimer(UINT_PTR id);
  void OnInitMenuPopup(HMENU popup, UINT index, bool systemMenu);
  // The favourite places of the Favorites popup are owner-drawn items; the
  // one selected shows its address instead of the command's prompt.
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  LRESULT OnQueryEndSession(WPARAM, LPARAM);
  LRESULT OnNcLButtonDown(WPARAM hitTest, LPARAM point);
  LRESULT OnPaletteChanged(WPARAM changer, LPARAM);
  LRESULT OnQueryNewPalette(WPARAM, LPARAM);
  LRESULT OnAvatarZoomStep(WPARAM wParam, LPARAM lParam);
  LRESULT OnShowMessage(WPARAM flag, LPARAM text);
  LRESULT OnShowEnterDialog(WPARAM, LPARAM);
  LRESULT OnRefreshPlace(WPARAM, LPARAM);
  LRESULT OnReconnect(WPARAM, LPARAM);
  LRESULT OnReplayDdeCommands(WPARAM, LPARAM);
  LRESULT OnHandOnTransfer(WPARAM, LPARAM);
  LRESULT OnIdlePrompt(WPARAM which, LPARAM);
  LRESULT OnCopyData(WPARAM sender, LPARAM record);
  LRESULT OnDirectoryCommand(WPARAM sender, LPARAM data);
  LRESULT OnServerInaccessible(WPARAM, LPARAM);
  LRESULT OnShowWarning(WPARAM, LPARAM text);

  DECLARE_MESSAGE_MAP()

 private:
  static constexpr int kToolBarCount = 2;

  void ShowMaximizedOnItsMonitor();
  bool CreateBars();
  void FillToolBar(int bar);
  bool CreateBusyAnimation();
  bool CreateStatusLine();
  void LayoutStatusLine();
  void PlaceBusyAnimation();
  void RunIdleDialog();
  void HideAndNotifyDirectory();
  void RelabelPlaceCommands(HMENU popup);
  void AdjustOwnAvatarMenu(HMENU popup);
  void AdjustCommunityMenu(HMENU popup);
  void AdjustStageMenu(HMENU popup);
  int PlaceMenuPosition(UINT menuId) const;
  bool RealizePalette(bool background);

  CMainSplitter m_mainSplitter;
  CSplitterWnd m_nestedSplitter;
  CBarHost m_barHost;
  CTabWnd m_toolBars[kToolBarCount];
  CTabWnd m_browserTabRow;
  CLogoWnd m_busyAnimation;
  CZrStatusBar m_statusBar;
  CWnd m_statusIndicator;
  CNameBubble m_nameBubble;
  CBalloonManager m_balloons;

  int32_t m_lastLeft = 0;
  int32_t m_lastTop = 0;
  int32_t m_menuJustOpened = 0;
  int32_t m_peopleLayout = 0;
  int32_t m_stageLayout = 0;
  UINT_PTR m_idleTimer = 0;
  int32_t m_idleMinutes = 0;
  int32_t m_zoomBusy = 0;
  bool m_layoutFlag = false;
  bool m_hasPlaceToolBar = false;
  int m_placeToolBar = 0;
  int m_favoritesToolBar = -1;
  // The Enter/Leave button's faces: enter, then leave.
  int m_enterLeaveFaces[2][4] = {};
  CDialog* m_idleDialog = nullptr;
};
