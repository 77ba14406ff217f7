#include "CChatWnd.h"

#include <algorithm>
#include <memory>

#include "AppPalette.h"
#include "CClientDC.h"
#include "CCopyDataLink.h"
#include "CIdleDlg.h"
#include "CMenu.h"
#include "CPplManager.h"
#include "CChatFrame.h"
#include "CChatPage.h"
#include "CSpyWnd.h"
#include "CSplashWnd.h"
#include "CZrApp.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"
#include "ZrMessageText.h"
#include "resource.h"

namespace {

// Commands of the place that the menus relabel.
constexpr UINT kEnterLeave = ID_ENTER_LEAVE;
constexpr UINT kStartGame = ID_START_GAME;
constexpr UINT kGuideTour = ID_GUIDE_TOUR;
constexpr UINT kTextOnly = ID_LAYOUT_TEXT_ONLY;

// Texts of the relabelled commands.
constexpr UINT kLeaveStageText = 392;
constexpr UINT kEnterStageText = 393;
constexpr UINT kLeaveRoomText = 394;
constexpr UINT kEnterRoomText = 395;
constexpr UINT kStartGameText = 396;
constexpr UINT kEndGameText = 397;
constexpr UINT kLeaveGameText = 398;
constexpr UINT kGuideTourText = 399;
constexpr UINT kLeaveRowText = 400;
constexpr UINT kEndTourText = 401;
constexpr UINT kLeaveTourText = 402;
constexpr UINT kTextOnlyText = 403;
constexpr UINT kBroadcastText = 405;
constexpr UINT kEventManagementText = 406;
constexpr UINT kSlideShowText = 407;
constexpr UINT kUninviteText = 408;
constexpr UINT kInviteeSelectionText = 61254;
constexpr UINT kFlipHorizontalText = 386;
constexpr UINT kFlipVerticalText = 387;
constexpr UINT kNormalText = 388;
constexpr UINT kHappyText = 389;
constexpr UINT kAngryText = 390;
constexpr UINT kSadText = 391;
constexpr UINT kProductTitle = 517;

// Popups of the menu bar, by position.
constexpr UINT kFilePopup = 0;
constexpr UINT kOwnAvatarPopup = 3;
constexpr UINT kGoPopup = 4;
constexpr UINT kAuditoriumCommunityPopup = 5;
constexpr UINT kCommunityPopup = 6;

// Place menus and where they go in the menu bar.
constexpr UINT kPlaceToolsMenu = IDM_PLACE_TOOLS;
constexpr UINT kPlaceWindowMenu = IDM_PLACE_WINDOW;
constexpr UINT kPlacePeopleMenu = IDM_PLACE_PEOPLE;
constexpr UINT kPreviousPlaceMenu = IDM_PREVIOUS_PLACE;
constexpr int kPlaceMenuPosition = 4;
constexpr int kPreviousPlaceInAuditorium = 8;
constexpr int kPreviousPlaceElsewhere = 9;

// Buttons that open a menu when pressed, and the buttons that mark the bar
// of the place.
constexpr UINT kFireOnPress = 2;
constexpr UINT kMenuButtons[] = {ID_TOURS_MENU, ID_ENTER_LEAVE, ID_LAYOUT_MENU, ID_FAVORITES};
constexpr UINT kPlaceButtons[] = {ID_TOURS_MENU, ID_ENTER_LEAVE, ID_LAYOUT_MENU,
                                  ID_COMMUNITY_CENTER2};
// The busy animation: its spacer in the browser tab row and its strip.
constexpr UINT kBusySpacer = ID_GO_BACK;
constexpr UINT kBusyBitmap = 468;
constexpr int kBusyPeriodMs = 200;
// Colour of the name bubble.
constexpr uint32_t kBubbleColour = 6;
// The splash stays this long before the frame goes on.
constexpr DWORD kSplashPauseMs = 2000;
// WM_NCLBUTTONDOWN on the menu bar.
constexpr WPARAM kHitMenu = 5;

template <size_t N>
bool Contains(const UINT (&ids)[N], UINT id) {
  return std::find(std::begin(ids), std::end(ids), id) != std::end(ids);
}

std::string Text(UINT id) { return AfxLoadString(id); }

void SetItemText(HMENU menu, UINT id, UINT textId) {
  const std::string text = Text(textId);
  ::ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING, id, text.c_str());
}

bool HasItem(HMENU menu, UINT id) { return ::GetMenuState(menu, id, MF_BYCOMMAND) != UINT(-1); }

void DeleteItem(HMENU menu, UINT id) {
  while (HasItem(menu, id)) ::DeleteMenu(menu, id, MF_BYCOMMAND);
}

// Sets the text of an item, appending it when the popup lacks it.
void SetOrAppendItem(HMENU menu, UINT id, UINT textId) {
  if (HasItem(menu, id)) {
    SetItemText(menu, id, textId);
    return;
  }
  ::AppendMenuA(menu, MF_STRING, id, Text(textId).c_str());
}

// Drops separators left at the end of a popup.
void TrimTrailingSeparators(HMENU menu) {
  for (int count = ::GetMenuItemCount(menu); count > 0; --count) {
    if (::GetMenuState(menu, static_cast<UINT>(count - 1), MF_BYPOSITION) & MF_SEPARATOR)
      ::DeleteMenu(menu, static_cast<UINT>(count - 1), MF_BYPOSITION);
    else
      break;
  }
}

}  // namespace

IMPLEMENT_DYNAMIC(CChatWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CChatWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_MOVE()
  ON_WM_CLOSE()
  ON_WM_TIMER()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_WM_MEASUREITEM()
  ON_WM_DRAWITEM()
  ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
  ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
  ON_MESSAGE(WM_PALETTECHANGED, OnPaletteChanged)
  ON_MESSAGE(WM_QUERYNEWPALETTE, OnQueryNewPalette)
  ON_MESSAGE(CChatWnd::kAvatarZoomStep, OnAvatarZoomStep)
  ON_MESSAGE(CZrMessageBox::kShowMessage, OnShowMessage)
  ON_MESSAGE(CChatWnd::kShowEnterDialog, OnShowEnterDialog)
  ON_MESSAGE(CChatWnd::kRefreshPlace, OnRefreshPlace)
  ON_MESSAGE(CChatWnd::kReconnect, OnReconnect)
  ON_MESSAGE(CChatWnd::kReplayDdeCommands, OnReplayDdeCommands)
  ON_MESSAGE(CChatWnd::kHandOnTransfer, OnHandOnTransfer)
  ON_MESSAGE(CChatWnd::kIdlePrompt, OnIdlePrompt)
  ON_MESSAGE(CChatWnd::kDirectoryCommand, OnDirectoryCommand)
  ON_MESSAGE(WM_COPYDATA, OnCopyData)
  ON_MESSAGE(CChatWnd::kServerInaccessible, OnServerInaccessible)
  ON_MESSAGE(CChatWnd::kShowWarning, OnShowWarning)
END_MESSAGE_MAP()

CChatWnd::CChatWnd() = default;

CChatWnd::~CChatWnd() { m_balloons.RemoveAll(); }

// ---- Creation --------------------------------------------------------------

bool CChatWnd::Init() {
  if (!LoadFrame(kResourceId, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS)) return false;
  SetWindowText(Text(kProductTitle));
  EnableSplash(true);
  ShowSplash(nullptr);
  ::Sleep(kSplashPauseMs);
  m_nameBubble.Create(this, ZrApp().Resources().GetColor(kBubbleColour));
  ModifyStyle(0, WS_CLIPCHILDREN);
  m_balloons.SetOwner(m_hWnd);
  auto* chat = static_cast<CChatFrame*>(m_nestedSplitter.GetPane(1, 0));
  if (!chat->Tabs().Init(chat)) return false;
  ZrApp().Chat().Attach(&chat->Tabs(), &m_balloons);
  return true;
}

// A saved width and height place the frame there; a negative one (the saved
// maximised state) shows it maximised, and so does an empty size, which
// would leave no window to see.
void CChatWnd::PlaceFrame() {
  const CZrSettings& settings = ZrApp().Settings();
  m_lastLeft = settings.m_mainXPos;
  m_lastTop = settings.m_mainYPos;
  if (settings.m_winWidth > 0 && settings.m_winHeight > 0) {
    SetWindowPos(nullptr, settings.m_mainXPos, settings.m_mainYPos, settings.m_winWidth,
                 settings.m_winHeight, SWP_NOACTIVATE | SWP_NOZORDER);
  } else {
    ShowMaximizedOnItsMonitor();
  }
}

// The hidden frame first takes the rectangle that maximising gives it (its
// monitor's work area with the sizing border outside): a window system that
// reports the frame's first size late would otherwise shrink the maximised
// frame back to that size. There is no saved size to restore to anyway.
void CChatWnd::ShowMaximizedOnItsMonitor() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::GetMonitorInfoA(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    // A maximised frame's border stands outside the work area; its caption
    // and menu stay inside (without WS_BORDER the caption is not counted).
    DWORD style = GetStyle();
    if ((style & WS_CAPTION) == WS_CAPTION) style &= ~static_cast<DWORD>(WS_BORDER);
    RECT border{0, 0, 0, 0};
    ::AdjustWindowRectEx(&border, style, FALSE, GetExStyle());
    const RECT& area = monitor.rcWork;
    SetWindowPos(nullptr, area.left + border.left, area.top + border.top,
                 area.right - area.left + border.right - border.left,
                 area.bottom - area.top + border.bottom - border.top,
                 SWP_NOACTIVATE | SWP_NOZORDER);
  }
  ShowWindow(SW_SHOWMAXIMIZED);
}

// "ZRFrame" is the framework's frame class under the client's own name, with
// the resource library's icon; it never stays on top of other programs.
bool CChatWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_TOPMOST);
  if (!CFrameWnd::PreCreateWindow(cs)) return false;
  const char* base = cs.lpszClass ? cs.lpszClass
                                  : RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                     ::LoadCursorA(nullptr, IDC_ARROW),
                                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kResourceId));
  if (!base || !RegisterClassCopy(base, kClassName, icon)) return false;
  cs.lpszClass = kClassName;
  return true;
}

int CChatWnd::OnCreate(LPCREATESTRUCT cs) { return CFrameWnd::OnCreate(cs); }

// The bars come first, so that the splitters can divide what they leave:
// the page and chat column takes two thirds of the width, the page two
// thirds of that column's height.
bool CChatWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  if (!CreateBars() || !CreateStatusLine()) return false;
  RECT client{};
  GetClientRect(&client);
  const int width = client.right;
  const int height = std::max(0, static_cast<int>(client.bottom) - GetToolBarHeight() -
                                     GetStatusBarHeight());
  if (!m_mainSplitter.CreateStatic(this, 1, 2)) return false;
  m_mainSplitter.SetTopOffset(GetToolBarHeight());
  const UINT nestedId = static_cast<UINT>(m_mainSplitter.IdFromRowCol(0, 0));
  return m_nestedSplitter.CreateStatic(&m_mainSplitter, 2, 1,
                                       WS_CHILD | WS_VISIBLE | WS_BORDER, nestedId) &&
         m_nestedSplitter.CreateView(0, 0, RUNTIME_CLASS(CSpyWnd),
                                     SIZE{width * 2 / 3, height * 2 / 3}, context) &&
         m_nestedSplitter.CreateView(1, 0, RUNTIME_CLASS(CChatFrame), SIZE{0, 0}, context) &&
         m_mainSplitter.CreateView(0, 1, RUNTIME_CLASS(CPplManager), SIZE{0, 0}, context) &&
         (m_mainSplitter.SetColumnInfo(0, width * 2 / 3, 0), true);
}

bool CChatWnd::CreateBars() {
  if (!m_barHost.Create(this)) return false;
  for (int bar = 0; bar < kToolBarCount; ++bar) {
    if (!m_toolBars[bar].Create(this)) return false;
    FillToolBar(bar);
    m_toolBars[bar].SetStyleFlags(m_toolBars[bar].GetStyleFlags() | CBarWnd::kInHost);
    m_barHost.AddBar(&m_toolBars[bar]);
  }
  return CreateBusyAnimation();
}

// One button a row of the resource library's table until it ends.
void CChatWnd::FillToolBar(int bar) {
  const CZrResLibrary& resources = ZrApp().Resources();
  CTabWnd& toolBar = m_toolBars[bar];
  for (uint32_t button = 0;; ++button) {
    const CZrResLibrary::ToolBarButton entry =
        resources.GetToolBarButton(static_cast<uint32_t>(bar), button);
    if (entry.command == 0) break;
    const UINT id = static_cast<UINT>(entry.command);
    toolBar.AddTab(id, entry.bitmaps[0], entry.bitmaps[1], entry.bitmaps[2], entry.bitmaps[3]);
    if (Contains(kMenuButtons, id)) toolBar.SetItemData(CBarWnd::kById, id, kFireOnPress);
    if (Contains(kPlaceButtons, id)) {
      m_placeToolBar = bar;
      m_hasPlaceToolBar = true;
    }
    if (id == ID_FAVORITES) m_favoritesToolBar = bar;
    if (id == ID_ENTER_LEAVE) {
      std::copy(std::begin(entry.bitmaps), std::end(entry.bitmaps), m_enterLeaveFaces[0]);
      std::copy(std::begin(entry.values), std::end(entry.values), m_enterLeaveFaces[1]);
    }
  }
}

// The third bar holds one spacer that the busy animation covers; it stands
// at the right end of the host.
bool CChatWnd::CreateBusyAnimation() {
  if (!m_browserTabRow.Create(this)) return false;
  m_browserTabRow.AddSpacer(kBusySpacer);
  const CZrResLibrary& resources = ZrApp().Resources();
  if (m_busyAnimation.Create(&m_browserTabRow, kBusyBitmap,
                             static_cast<UINT>(resources.GetAnimationFrames()),
                             ZrApp().Settings().m_animationURL) == 1) {
    RECT rect{};
    m_busyAnimation.GetWindowRect(&rect);
    m_browserTabRow.SetButtonWidth(CBarWnd::kById, kBusySpacer,
                                   rect.right - rect.left + resources.GetAnimationRightSpace(),
                                   rect.bottom - rect.top);
    m_busyAnimation.Show(true);
  }
  m_browserTabRow.SetStyleFlags(m_browserTabRow.GetStyleFlags() | CBarWnd::kInHost);
  m_barHost.AddBar(&m_browserTabRow);
  m_barHost.SetRightAligned(&m_browserTabRow);
  return true;
}

bool CChatWnd::CreateStatusLine() {
  static const UINT kPanes[] = {0, 0};
  if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kPanes, 2)) return false;
  RECT none{0, 0, 0, 0};
  return m_statusIndicator.CreateEx(0, "STATIC", "",
                                    WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE, none,
                                    &m_statusBar, 0);
}

// ---- Layout ----------------------------------------------------------------

int CChatWnd::GetToolBarHeight() const {
  return m_barHost.m_hWnd && ::IsWindowVisible(m_barHost.m_hWnd) ? m_barHost.GetHeight() : 0;
}

int CChatWnd::GetStatusBarHeight() const {
  if (!m_statusBar.m_hWnd || !::IsWindowVisible(m_statusBar.m_hWnd)) return 0;
  RECT rect{};
  ::GetWindowRect(m_statusBar.m_hWnd, &rect);
  return rect.bottom - rect.top;
}

void CChatWnd::RecalcLayout() {
  CFrameWnd::RecalcLayout();
  if (!m_mainSplitter.m_hWnd || ::IsIconic(m_hWnd)) return;
  RECT client{};
  GetClientRect(&client);
  const int32_t sizeType = ::IsZoomed(m_hWnd) ? CZrLayoutRecord::kMaximized : CZrLayoutRecord::kRestored;
  LayoutMainPanes(sizeType, client.right, client.bottom);
  LayoutStatusLine();
  PlaceBusyAnimation();
}

void CChatWnd::OnSize(UINT type, int cx, int cy) {
  CFrameWnd::OnSize(type, cx, cy);
  if (type == SIZE_MINIMIZED || !m_mainSplitter.m_hWnd) return;
  LayoutMainPanes(static_cast<int32_t>(type), cx, cy);
  LayoutStatusLine();
  PlaceBusyAnimation();
}

// The layout record decides the sizes; the splitters stand below the bars.
void CChatWnd::LayoutMainPanes(int32_t sizeType, int cx, int cy) {
  if (!m_mainSplitter.m_hWnd) return;
  RECT client{};
  GetClientRect(&client);
  CZrLayoutRecord::PaneRequest request;
  request.sizeType = sizeType;
  request.width = cx;
  request.height = cy;
  request.clientWidth = client.right;
  request.clientHeight = client.bottom;
  request.toolBarHeight = GetToolBarHeight();
  request.statusBarHeight = GetStatusBarHeight();
  request.mode = ZrApp().GetLayoutMode();
  request.defaultBottomHeight = ZrApp().Settings().m_chatHeight;
  const CZrLayoutRecord::PaneSizes sizes = ZrApp().Layout().LayoutMainPanes(request);
  if (!sizes.apply || !sizes.setSplitters) return;
  m_mainSplitter.SetColumnInfo(0, sizes.side, 0);
  m_mainSplitter.SetColumnInfo(1, sizes.width - sizes.side, 0);
  m_nestedSplitter.SetRowInfo(0, sizes.upper, 0);
  m_nestedSplitter.SetRowInfo(1, sizes.height - sizes.upper, 0);
  m_mainSplitter.SetTopOffset(request.toolBarHeight);
  m_mainSplitter.SetWindowPos(nullptr, 0, request.toolBarHeight, sizes.width, sizes.height,
                              SWP_NOZORDER | SWP_NOACTIVATE);
  m_mainSplitter.RecalcLayout();
  m_nestedSplitter.RecalcLayout();
}

// Pane 0 ends where the participation text begins; nothing moves while the
// client area is narrower than that text.
void CChatWnd::LayoutStatusLine() {
  if (!m_statusBar.m_hWnd) return;
  RECT client{};
  GetClientRect(&client);
  if (client.right < kStatusIndicatorWidth) return;
  m_statusBar.SetPaneInfo(0, 0, SBPS_NORMAL, client.right - kStatusIndicatorWidth);
  m_statusBar.SetPaneInfo(1, 0, SBPS_STRETCH, kStatusIndicatorWidth);
  RECT bar{};
  m_statusBar.GetClientRect(&bar);
  m_statusIndicator.SetWindowPos(nullptr, client.right - kStatusIndicatorWidth, 2,
                                 kStatusIndicatorWidth - 20, std::max(0, static_cast<int>(bar.bottom) - 2),
                                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CChatWnd::PlaceBusyAnimation() {
  if (!m_busyAnimation.m_hWnd) return;
  const RECT rect = m_browserTabRow.GetButtonRect(CBarWnd::kById, kBusySpacer);
  m_busyAnimation.SetWindowPos(nullptr, rect.left, rect.top, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CChatWnd::AnimateBusy(bool busy) {
  if (m_busyAnimation.m_hWnd) m_busyAnimation.Animate(kBusyPeriodMs, !busy);
}

namespace {

ZrRect ScreenRectOf(const CWnd* window) {
  RECT rect{};
  if (window && window->m_hWnd) ::GetWindowRect(window->m_hWnd, &rect);
  return ZrRect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

CZrLayoutRecord::Capture CChatWnd::CaptureLayout(int32_t mode, int32_t defaultBottomHeight) const {
  CZrLayoutRecord::Capture capture;
  capture.window = ScreenRectOf(this);
  capture.page = ScreenRectOf(GetMainPane());
  capture.chat = ScreenRectOf(m_nestedSplitter.GetPane(1, 0));
  capture.people = ScreenRectOf(GetPeoplePane());
  int minimum = 0;
  m_mainSplitter.GetColumnInfo(0, capture.sideWidth, minimum);
  m_nestedSplitter.GetRowInfo(0, capture.upperHeight, minimum);
  RECT client{};
  ::GetClientRect(m_hWnd, &client);
  capture.clientWidth = client.right;
  capture.clientHeight = client.bottom;
  capture.toolBarHeight = GetToolBarHeight();
  capture.statusBarHeight = GetStatusBarHeight();
  capture.mode = mode;
  capture.defaultBottomHeight = defaultBottomHeight;
  return capture;
}

bool CChatWnd::OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) {
  constexpr UINT kFirstEditCommand = 57633;
  constexpr UINT kLastEditCommand = 57643;
  if (id >= kFirstEditCommand && id <= kLastEditCommand) {
    CChatPage* page = CChatPage::OfWindow(::GetFocus());
    CChatTabWnd* tabs = GetChatTabs();
    if (!page && tabs) page = dynamic_cast<CChatPage*>(tabs->GetActivePage());
    if (page && page->OnCmdMsg(id, code, call)) return true;
  }
  return CFrameWnd::OnCmdMsg(id, code, call);
}

CChatTabWnd* CChatWnd::GetChatTabs() const {
  CWnd* pane = m_nestedSplitter.GetPane(1, 0);
  if (!pane || !pane->m_hWnd || !pane->IsKindOf(RUNTIME_CLASS(CChatFrame))) return nullptr;
  return &static_cast<CChatFrame*>(pane)->Tabs();
}

CWnd* CChatWnd::GetMainPane() const { return m_nestedSplitter.GetPane(0, 0); }

CWnd* CChatWnd::GetPeoplePane() const { return m_mainSplitter.GetPane(0, 1); }

CPplManager* CChatWnd::GetPeopleManager() const {
  if (!m_mainSplitter.m_hWnd) return nullptr;
  CWnd* pane = GetPeoplePane();
  if (!pane || !pane->m_hWnd || !pane->IsKindOf(RUNTIME_CLASS(CPplManager))) return nullptr;
  return static_cast<CPplManager*>(pane);
}

CTabWnd* CChatWnd::GetPlaceToolBar() {
  return m_hasPlaceToolBar ? &m_toolBars[m_placeToolBar] : nullptr;
}

CNameBubble* CChatWnd::GetNameBubble() { return m_nameBubble.m_hWnd ? &m_nameBubble : nullptr; }

void CChatWnd::OnMove(int x, int y) {
  Default();
  (void)x;
  (void)y;
  RECT rect{};
  GetWindowRect(&rect);
  m_lastLeft = rect.left;
  m_lastTop = rect.top;
}

// ---- Status line -----------------------------------------------------------

void CChatWnd::SetStatusText(const std::string& text) {
  if (m_statusBar.m_hWnd) m_statusBar.SetTimedText(text, false, "");
}

void CChatWnd::ShowStatusString(UINT stringId, bool keep) {
  if (m_statusBar.m_hWnd) m_statusBar.ShowStringMessage(stringId, keep);
}

void CChatWnd::SetParticipationText(const std::string& text) {
  if (m_statusIndicator.m_hWnd) m_statusIndicator.SetWindowText(text);
}

// ---- Menus -----------------------------------------------------------------

int CChatWnd::PlaceMenuPosition(UINT menuId) const {
  if (menuId != kPreviousPlaceMenu) return kPlaceMenuPosition;
  return ZrApp().IsAuditorium() ? kPreviousPlaceInAuditorium : kPreviousPlaceElsewhere;
}

// The first popup of the menu resource goes into the menu bar under its own
// text.
void CChatWnd::InsertPlaceMenu(UINT menuId) {
  HMENU bar = ::GetMenu(m_hWnd);
  HMENU loaded = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(menuId));
  if (!bar || !loaded) {
    if (loaded) ::DestroyMenu(loaded);
    return;
  }
  char text[128] = {};
  ::GetMenuStringA(loaded, 0, text, sizeof text, MF_BYPOSITION);
  HMENU popup = ::GetSubMenu(loaded, 0);
  if (popup) {
    ::RemoveMenu(loaded, 0, MF_BYPOSITION);
    ::InsertMenuA(bar, static_cast<UINT>(PlaceMenuPosition(menuId)), MF_BYPOSITION | MF_POPUP,
                  reinterpret_cast<UINT_PTR>(popup), text);
  }
  ::DestroyMenu(loaded);
}

void CChatWnd::RemovePlaceMenu(UINT menuId) {
  HMENU bar = ::GetMenu(m_hWnd);
  if (bar) ::DeleteMenu(bar, static_cast<UINT>(PlaceMenuPosition(menuId)), MF_BYPOSITION);
}

// The people layout shows the people column alone with its own menu; the
// stage layout hides the bars as well.
void CChatWnd::SetPlaceLayout(int32_t type, bool flag) {
  (void)flag;
  const int32_t people = type == 1 ? 1 : 0;
  const int32_t stage = type == 3 ? 1 : 0;
  if (people != m_peopleLayout) {
    m_peopleLayout = people;
    if (people) {
      m_barHost.ShowWindow(SW_HIDE);
      RemovePlaceMenu(kPlaceWindowMenu);
      RemovePlaceMenu(kPlaceToolsMenu);
      InsertPlaceMenu(kPlacePeopleMenu);
    } else {
      m_barHost.ShowWindow(SW_SHOW);
      RemovePlaceMenu(kPlacePeopleMenu);
      InsertPlaceMenu(kPlaceToolsMenu);
      InsertPlaceMenu(kPlaceWindowMenu);
    }
  }
  if (stage != m_stageLayout) {
    m_stageLayout = stage;
    if (stage) {
      m_barHost.ShowWindow(SW_HIDE);
    } else if (!m_peopleLayout) {
      m_barHost.ShowWindow(SW_SHOW);
    }
  }
  DrawMenuBar();
  RecalcLayout();
}

void CChatWnd::OnInitMenuPopup(HMENU popup, UINT index, bool systemMenu) {
  if (!systemMenu) {
    RelabelPlaceCommands(popup);
    const HMENU bar = ::GetMenu(m_hWnd);
    if (bar && popup == ::GetSubMenu(bar, static_cast<int>(kFilePopup))) {
      DeleteItem(popup, ID_BACK_TO_HVN);
      DeleteItem(popup, ID_SWITCH_TO_HVN);
      if (ZrApp().IsPageInDirectoryProgram()) DeleteItem(popup, ID_CLOSE_BROWSER);
    }
    if (bar && popup == ::GetSubMenu(bar, static_cast<int>(kOwnAvatarPopup))) AdjustOwnAvatarMenu(popup);
    const UINT communityPopup = ZrApp().IsAuditorium() ? kAuditoriumCommunityPopup : kCommunityPopup;
    if (bar && popup == ::GetSubMenu(bar, static_cast<int>(communityPopup))) AdjustCommunityMenu(popup);
    if (bar && ZrApp().IsAuditorium() && popup == ::GetSubMenu(bar, static_cast<int>(kGoPopup)))
      AdjustStageMenu(popup);
    ZrApp().Places().OnInitMenuPopup(popup);
  }
  (void)index;
  m_menuJustOpened = 1;
  CFrameWnd::OnInitMenuPopup(popup, index, systemMenu);
}

void CChatWnd::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  CFrameWnd::OnMenuSelect(item, flags, menu);
  ZrApp().Places().OnMenuSelect(item);
}

void CChatWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT item) {
  if (!ZrApp().Places().MeasureItem(*item)) Default();
}

void CChatWnd::OnDrawItem(int, LPDRAWITEMSTRUCT item) {
  if (!ZrApp().Places().DrawItem(*item)) Default();
}

// Enter/leave, game and tour texts follow the own user while connected;
// Text Only always.
void CChatWnd::RelabelPlaceCommands(HMENU popup) {
  CZrApp& app = ZrApp();
  if (HasItem(popup, kTextOnly)) SetItemText(popup, kTextOnly, kTextOnlyText);
  if (!app.IsConnected()) return;
  if (HasItem(popup, kEnterLeave)) {
    const bool inside = app.IsMyselfInRootPlace();
    const bool stage = app.IsAuditorium();
    SetItemText(popup, kEnterLeave,
                stage ? (inside ? kLeaveStageText : kEnterStageText)
                      : (inside ? kLeaveRoomText : kEnterRoomText));
  }
  if (HasItem(popup, kStartGame)) {
    const CZrApp::GroupRole game = app.GetGameRole();
    SetItemText(popup, kStartGame,
                game == CZrApp::GroupRole::kHost    ? kEndGameText
                : game == CZrApp::GroupRole::kGuest ? kLeaveGameText
                                                    : kStartGameText);
  }
  if (HasItem(popup, kGuideTour)) {
    const CZrApp::GroupRole tour = app.GetTourRole();
    const bool inRow = app.IsInRow();
    SetItemText(popup, kGuideTour,
                inRow                               ? kLeaveRowText
                : tour == CZrApp::GroupRole::kHost  ? kEndTourText
                : tour == CZrApp::GroupRole::kGuest ? kLeaveTourText
                                                    : kGuideTourText);
  }
}

// Flip and mood items appear only while the own avatar stands in the room
// or a row; moods only for pictures the user has.
void CChatWnd::AdjustOwnAvatarMenu(HMENU popup) {
  for (UINT id : {static_cast<UINT>(ID_FLIP_HORIZONTAL), static_cast<UINT>(ID_FLIP_VERTICAL),
                  static_cast<UINT>(ID_MOOD_NORMAL), static_cast<UINT>(ID_MOOD_HAPPY),
                  static_cast<UINT>(ID_MOOD_ANGRY), static_cast<UINT>(ID_MOOD_SAD)})
    DeleteItem(popup, id);
  TrimTrailingSeparators(popup);
  CZrApp& app = ZrApp();
  if (!app.IsMyselfInRootPlace() && !app.IsInRow()) return;
  ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(popup, MF_STRING, ID_FLIP_HORIZONTAL, Text(kFlipHorizontalText).c_str());
  ::AppendMenuA(popup, MF_STRING, ID_FLIP_VERTICAL, Text(kFlipVerticalText).c_str());
  const CZrSettings& settings = app.Settings();
  const bool noNormal = settings.m_normal.empty();
  const bool otherMood = !settings.m_happy.empty() || !settings.m_angry.empty() || !settings.m_sad.empty();
  if (!(noNormal || otherMood) || app.Resources().IsUseAvatarService()) return;
  ::AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  struct Mood {
    UINT id;
    UINT text;
    const std::string* picture;
    int32_t selection;
  };
  const Mood moods[] = {{ID_MOOD_NORMAL, kNormalText, nullptr, 1},
                        {ID_MOOD_HAPPY, kHappyText, &settings.m_happy, 2},
                        {ID_MOOD_ANGRY, kAngryText, &settings.m_angry, 3},
                        {ID_MOOD_SAD, kSadText, &settings.m_sad, 4}};
  for (const Mood& mood : moods) {
    if (mood.picture && mood.picture->empty() && !noNormal) continue;
    const UINT check = settings.m_sel == mood.selection ? MF_CHECKED : MF_UNCHECKED;
    ::AppendMenuA(popup, MF_STRING | check, mood.id, Text(mood.text).c_str());
  }
}

// Broadcast for administrators, event management for hosts.
void CChatWnd::AdjustCommunityMenu(HMENU popup) {
  const uint32_t userClass = ZrApp().GetOwnUserClass();
  if (userClass == CZrApp::kAdminClass || userClass == CZrApp::kAdminHostClass)
    SetOrAppendItem(popup, ID_BROADCAST, kBroadcastText);
  else
    DeleteItem(popup, ID_BROADCAST);
  if (userClass == CZrApp::kHostClass || userClass == CZrApp::kAdminHostClass) {
    if (HasItem(popup, ID_EVENT_MANAGEMENT)) SetItemText(popup, ID_EVENT_MANAGEMENT, kEventManagementText);
  } else {
    DeleteItem(popup, ID_EVENT_MANAGEMENT);
  }
  TrimTrailingSeparators(popup);
}

// In an auditorium, hosts get the invitee selection, the slide show and the
// uninvite command on the Go menu.
void CChatWnd::AdjustStageMenu(HMENU popup) {
  const uint32_t userClass = ZrApp().GetOwnUserClass();
  if (userClass == CZrApp::kHostClass || userClass == CZrApp::kAdminHostClass) {
    if (HasItem(popup, ID_INVITEE_SELECTION)) SetItemText(popup, ID_INVITEE_SELECTION, kInviteeSelectionText);
    if (HasItem(popup, ID_STAGE_BACKGROUND)) SetItemText(popup, ID_STAGE_BACKGROUND, kSlideShowText);
    SetOrAppendItem(popup, ID_UNINVITE_ALL, kUninviteText);
    ::EnableMenuItem(popup, kEnterLeave, MF_BYCOMMAND | MF_ENABLED);
  } else {
    DeleteItem(popup, ID_INVITEE_SELECTION);
    DeleteItem(popup, ID_STAGE_BACKGROUND);
    DeleteItem(popup, ID_UNINVITE_ALL);
  }
}

// A drag on the menu bar of a window without a caption moves the window,
// unless it opened a menu.
LRESULT CChatWnd::OnNcLButtonDown(WPARAM hitTest, LPARAM point) {
  const LRESULT result = Default();
  if (hitTest != kHitMenu) return result;
  if (m_menuJustOpened) {
    m_menuJustOpened = 0;
    return result;
  }
  if ((GetStyle() & WS_CAPTION) != WS_CAPTION) SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, point);
  return result;
}

// ---- Idle timer --------------------------------------------------------------

void CChatWnd::StartTimer() {
  if (m_idleTimer) return;
  m_idleTimer = SetTimer(kIdleTimer, kIdleTimerMs);
  m_idleMinutes = 0;
}

void CChatWnd::StopIdleTimer() {
  if (m_idleTimer) KillTimer(kIdleTimer);
  m_idleTimer = 0;
}

void CChatWnd::OnTimer(UINT_PTR id) {
  if (id != kIdleTimer) {
    m_balloons.OnTimer(id);
    Default();
    return;
  }
  ++m_idleMinutes;
  const int32_t limit = ZrApp().Settings().m_idleLimit;
  if (m_idleMinutes == limit) PostMessage(kIdlePrompt, 0);
  if (m_idleMinutes == limit + 1) PostMessage(kIdlePrompt, 1);
}

LRESULT CChatWnd::OnIdlePrompt(WPARAM which, LPARAM) {
  if (which == 0) {
    RunIdleDialog();
    return 0;
  }
  if (m_idleDialog && m_idleDialog->m_hWnd) m_idleDialog->SendMessage(WM_CLOSE);
  ZrApp().CloseConnection(CZrApp::kIdleDisconnect);
  return 0;
}

// "Yes" keeps the user online and starts the count again.
void CChatWnd::RunIdleDialog() {
  CIdleDlg dialog(this);
  m_idleDialog = &dialog;
  ZrApp().EnableMainWindows(true);
  const INT_PTR answer = dialog.DoModal();
  ZrApp().EnableMainWindows(false);
  m_idleDialog = nullptr;
  if (answer == IDOK) m_idleMinutes = 0;
}

// ---- Closing -----------------------------------------------------------------

void CChatWnd::HideAndNotifyDirectory() {
  ShowWindow(SW_HIDE);
  ZrApp().SendDirectoryHideAndClose();
}

// A real exit ends the message loop; otherwise the client leaves the server
// and waits hidden until it is activated again.
void CChatWnd::OnClose() {
  CZrApp& app = ZrApp();
  if (app.IsPageInDirectoryProgram()) {
    HideAndNotifyDirectory();
    ::PostQuitMessage(0);
    return;
  }
  app.HideBrowserFrame();
  if (app.Resources().IsCloseNetscapeOnExit()) {
    app.CloseBrowserFrame();
    ::PostQuitMessage(0);
    return;
  }
  app.SetReconnectOnActivation(true);
  ShowWindow(SW_HIDE);
  app.CloseConnection(0);
}

LRESULT CChatWnd::OnQueryEndSession(WPARAM, LPARAM) {
  CZrApp& app = ZrApp();
  if (app.IsPageInDirectoryProgram())
    HideAndNotifyDirectory();
  else
    app.CloseBrowserFrame();
  ::PostQuitMessage(0);
  return Default();
}

// ---- After a disconnect --------------------------------------------------------

// The windows of the place forget it: the product name returns to the
// title and the indicator shows the disconnect.
void CChatWnd::ResetAfterDisconnect() {
  SetWindowText(Text(kProductTitle));
  if (CPplManager* people = GetPeopleManager()) {
    people->RebuildList(true);
    people->SetWindowText(Text(kProductTitle));
  }
  ZrApp().SetIndicatorState(CZrApp::kDisconnected);
}

// ---- Palette -------------------------------------------------------------------

bool CChatWnd::RealizePalette(bool background) {
  CClientDC dc(this);
  const int changed = background ? CAppPalette::Get().Select(&dc) : CAppPalette::Get().SelectForeground(&dc);
  CAppPalette::Get().Restore(&dc);
  if (changed > 0) ZrApp().RedrawAllWindows();
  return changed > 0;
}

LRESULT CChatWnd::OnPaletteChanged(WPARAM changer, LPARAM) {
  if (reinterpret_cast<HWND>(changer) != m_hWnd) RealizePalette(true);
  return 0;
}

LRESULT CChatWnd::OnQueryNewPalette(WPARAM, LPARAM) { return RealizePalette(false) ? 1 : 0; }

// ---- Private messages ------------------------------------------------------------

LRESULT CChatWnd::OnAvatarZoomStep(WPARAM wParam, LPARAM lParam) {
  return ZrApp().OnAvatarZoom(wParam, lParam);
}

// A posted box is shown by the application's message boxes; without them its
// text is only freed.
LRESULT CChatWnd::OnShowMessage(WPARAM flag, LPARAM text) {
  if (CZrMessageBox* boxes = CZrMessageBox::Current()) return boxes->OnShowMessage(flag, text);
  CZrMessageText::Free(reinterpret_cast<char*>(text));
  return 0;
}

LRESULT CChatWnd::OnShowEnterDialog(WPARAM, LPARAM) {
  ZrApp().ShowPlaceEnterDialog();
  return 0;
}

LRESULT CChatWnd::OnRefreshPlace(WPARAM, LPARAM) {
  ZrApp().Refresh(true);
  return 0;
}

LRESULT CChatWnd::OnReconnect(WPARAM, LPARAM) {
  ZrApp().Reconnect();
  return 0;
}

LRESULT CChatWnd::OnReplayDdeCommands(WPARAM, LPARAM) {
  ZrApp().ReplayDeferredDdeCommands();
  return 1;
}

LRESULT CChatWnd::OnHandOnTransfer(WPARAM wParam, LPARAM lParam) {
  return ZrApp().HandOnPendingTransfer(wParam, lParam);
}

// The record is copied and posted to this window (kDirectoryCommand), so
// the sender's call returns before anything is done with it.
LRESULT CChatWnd::OnCopyData(WPARAM sender, LPARAM record) {
  return CCopyDataLink::OnCopyData(m_hWnd, kDirectoryCommand, sender, record);
}

LRESULT CChatWnd::OnDirectoryCommand(WPARAM sender, LPARAM data) {
  ZrApp().OnDirectoryCommand(sender, data);
  return 1;
}

LRESULT CChatWnd::OnServerInaccessible(WPARAM, LPARAM) {
  ZrApp().ConfirmServerInaccessible();
  return 0;
}

LRESULT CChatWnd::OnShowWarning(WPARAM, LPARAM text) {
  const std::unique_ptr<std::string> warning(reinterpret_cast<std::string*>(text));
  if (warning) ZrApp().SmallDialogs().ShowWarning(*warning);
  return 0;
}
