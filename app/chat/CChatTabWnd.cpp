#include "CChatTabWnd.h"

#include <algorithm>

#include "CFrameWnd.h"
#include "CTabItem.h"
#include "CWinApp.h"
#include "IAppUi.h"
#include "IChatPageHost.h"
#include "ModuleState.h"
#include "ControlResources.h"
#include "ZrMessageBox.h"

namespace {

// Resource colours of the tab row: unselected face, selected face, band.
constexpr uint32_t kUnselectedColour = 10;
constexpr uint32_t kSelectedColour = 9;
constexpr uint32_t kBandColour = 11;
// Private lines' colour.
constexpr uint32_t kPrivateLineColour = 5;
// "You can not explode the last page/conversation."
constexpr UINT kBlankString = 199;
constexpr UINT kLastPageString = 207;
constexpr int kInset = 4;
// Size of a page's first float frame.
constexpr SIZE kFloatFrameSize{335, 240};

CChatTabWnd::PageMaker& BroadcastMaker() {
  static CChatTabWnd::PageMaker maker;
  return maker;
}

IChatPageHost* Host() { return CChatPage::Host(); }

ChatPlaceState PlaceState() {
  IChatPageHost* host = Host();
  return host ? host->PlaceState() : ChatPlaceState();
}

}  // namespace

CChatTabWnd::CChatTabWnd() = default;

CChatTabWnd::~CChatTabWnd() {
  if (CPaneDlg::Container() == this) CPaneDlg::SetContainer(nullptr);
  for (Entry& entry : m_entries) entry.page.reset();
  m_entries.clear();
}

void CChatTabWnd::SetBroadcastPageMaker(PageMaker maker) { BroadcastMaker() = std::move(maker); }

bool CChatTabWnd::Init(CWnd* host) {
  m_host = host;
  if (!Create(host, kTabsBelow, 0)) return false;
  SetStyleFlags(GetStyleFlags() & ~kUpdatesItems);
  SetFont(AppUi().GetNormalFont());
  SetColors(ResourceColour(kUnselectedColour), ResourceColour(kSelectedColour), ResourceColour(kBandColour));
  CPaneDlg::SetContainer(this);
  Layout();
  m_roomPage = CreateChatTab(ChatPageKind::Room, 0, AfxLoadString(kChatRoomTitle), AfxLoadString(kChatRoomTip));
  if (BroadcastMaker()) m_broadcastPage = AddPage(BroadcastMaker()(), 0, false, AfxLoadString(kBroadcastTip));
  if (m_broadcastPage) m_broadcastPage->ShowWindow(SW_HIDE);
  if (m_roomPage) SelectTab(m_roomPage, true);
  Layout();
  return m_roomPage != nullptr;
}

// ---- Pages ---------------------------------------------------------------------

CPaneDlg* CChatTabWnd::AddPage(std::unique_ptr<CPaneDlg> page, uint32_t targetId, bool floating,
                               const std::string& tooltip) {
  if (!page || !m_host) return nullptr;
  CPaneDlg* added = page.get();
  if (!added->Create(m_host, targetId, m_pageRect, false)) return nullptr;
  m_tips[added] = tooltip;
  AddEntry(std::move(page));
  if (floating) {
    added->SetFloating(true);
  } else {
    added->SetWindowRect(m_pageRect);
    if (added != m_current) added->ShowWindow(SW_HIDE);
  }
  RebuildTabs();
  return added;
}

CChatPage* CChatTabWnd::CreateChatTab(ChatPageKind kind, uint32_t targetId, const std::string& title,
                                      const std::string& tooltip) {
  if (kind != ChatPageKind::Room) {
    if (auto* existing = dynamic_cast<CChatPage*>(FindTargetPage(targetId))) return existing;
  }
  return static_cast<CChatPage*>(AddPage(std::make_unique<CChatPage>(kind, title), targetId, false, tooltip));
}

CChatPage* CChatTabWnd::CreateTourTab(uint32_t tourId) {
  const std::string title = AfxLoadString(kTourTitle);
  return CreateChatTab(ChatPageKind::Group, tourId, title, AfxLoadString(kChatIntoTip) + title);
}

CChatPage* CChatTabWnd::CreateGameTab(uint32_t gameId) {
  const std::string title = AfxLoadString(kGameTitle);
  CChatPage* page = CreateChatTab(ChatPageKind::Game, gameId, title, AfxLoadString(kChatIntoTip) + title);
  if (page) SelectTab(page, true);
  return page;
}

CChatPage* CChatTabWnd::CreateStageTab(uint32_t stageId) {
  const std::string title = AfxLoadString(kStageTitle);
  return CreateChatTab(ChatPageKind::Stage, stageId, title, AfxLoadString(kChatIntoTip) + title);
}

CChatPage* CChatTabWnd::CreatePersonTab(uint32_t personId, const std::string& name) {
  return CreateChatTab(ChatPageKind::Group, personId, PersonPageTitle(AfxLoadString(kPersonPrefix), name),
                       AfxLoadString(kChatWithTip) + name);
}

CChatPage* CChatTabWnd::CreateRowTab(uint32_t rowId, const std::string& rowName) {
  return CreateChatTab(ChatPageKind::Group, rowId, rowName, AfxLoadString(kChatIntoTip) + AfxLoadString(kRowTip));
}

CPaneDlg* CChatTabWnd::FindTargetPage(uint32_t targetId) const {
  for (const Entry& entry : m_entries) {
    CPaneDlg* page = entry.page.get();
    if (page != m_roomPage && page != m_broadcastPage && page->GetTargetId() == targetId) return page;
  }
  return nullptr;
}

void CChatTabWnd::RemovePage(int index) {
  CPaneDlg* page = GetPage(index);
  if (!page) return;
  m_tips.erase(page);
  if (page == m_current) m_current = nullptr;
  RemoveEntry(index);
  RebuildTabs();
}

void CChatTabWnd::ClosePageWindow(CPaneDlg* page) {
  if (page->IsFloating() && page->FloatFrame().m_hWnd) {
    page->FloatFrame().ShowWindow(SW_HIDE);
    if (CWnd* main = AfxGetMainWnd()) ::SetActiveWindow(main->m_hWnd);
  }
  if (page->m_hWnd) page->DestroyWindow();
}

// ---- Choosing, closing, floating ----------------------------------------------

void CChatTabWnd::SelectTab(CPaneDlg* page, bool selectItem) {
  if (!page) return;
  CPaneDlg* previous = m_current;
  if (previous && previous != page) previous->SetActive(false);
  page->SetActive(true);
  if (!page->IsFloating()) page->ShowWindow(SW_SHOW);
  if (previous && previous != page && !previous->IsFloating()) previous->ShowWindow(SW_HIDE);
  page->SetHighlight(false);
  HighlightPage(page, false);
  m_current = page;
  if (auto* chat = dynamic_cast<CChatPage*>(page)) chat->SetInputFocus();
  if (selectItem && !page->IsFloating()) {
    const int index = FindPage(page);
    if (index >= 0) SelectTabByKey(TabCommand(index));
  }
  FollowLayoutMode(page);
}

void CChatTabWnd::FollowLayoutMode(CPaneDlg* page) {
  const ChatPlaceState place = PlaceState();
  if (!place.running || !Host()) return;
  Host()->SetLayoutMode(
      ChatLayoutMode(place.auditorium, place.privateRoom, static_cast<ChatPageKind>(page->GetKind())));
}

CPaneDlg* CChatTabWnd::NextDockedPage(int index) const {
  const int count = GetPageCount();
  for (int step = 1; step < count; ++step) {
    CPaneDlg* page = GetPage((index + step) % count);
    if (!page->IsFloating()) return page;
  }
  return nullptr;
}

void CChatTabWnd::ClosePage(CPaneDlg* page) {
  const int index = FindPage(page);
  if (index < 0 || page == m_roomPage) return;
  if (page == m_current) {
    CPaneDlg* next = NextDockedPage(index);
    if (!next) {
      next = m_roomPage;
      if (m_roomPage->IsFloating()) m_roomPage->SetFloating(false);
    }
    SelectTab(next, true);
  }
  RemovePage(FindPage(page));
}

void CChatTabWnd::CloseTargetPage(uint32_t targetId) {
  if (CPaneDlg* page = FindTargetPage(targetId)) ClosePage(page);
}

void CChatTabWnd::FloatPage(CPaneDlg* pane) {
  const int index = FindPage(pane);
  if (index < 0 || pane->IsFloating()) return;
  if (pane == m_current) {
    CPaneDlg* next = NextDockedPage(index);
    if (!next) {
      MessageBoxIds2(kBlankString, kLastPageString);
      return;
    }
    SelectTab(next, true);
  }
  pane->SetFloating(true);
  RebuildTabs();
}

void CChatTabWnd::DockPage(CPaneDlg* pane) {
  if (FindPage(pane) < 0) return;
  if (pane->IsFloating()) {
    pane->SetFloating(false);  // the frame docks it back through here
    return;
  }
  RebuildTabs();
  FitPage(pane);
  SelectTab(pane, true);
}

void CChatTabWnd::OnToggleFloat(int index) {
  CPaneDlg* page = GetPage(index);
  if (!page) return;
  if (page->IsFloating())
    DockPage(page);
  else
    FloatPage(page);
}

void CChatTabWnd::OnPageChosen(CPaneDlg* page) {
  if (page->IsFloating()) {
    page->ShowFloatFrame();
    page->RaiseFloatFrame();
    ::SetActiveWindow(page->FloatFrame().m_hWnd);
    return;
  }
  SelectTab(page, true);
}

void CChatTabWnd::OnTabMenu(int index) {
  CPaneDlg* page = GetPage(index);
  const ChatPlaceState place = PlaceState();
  if (!page || !place.running || !place.connected) return;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  page->TrackContextMenu(cursor.x, cursor.y);
}

void CChatTabWnd::SelectPageFor(uint32_t targetId) {
  if (CPaneDlg* page = FindTargetPage(targetId)) OnPageChosen(page);
}

// ---- Lines -----------------------------------------------------------------------

void CChatTabWnd::AddLine(uint32_t targetId, const std::string& name, bool privateLine, bool speakerClass,
                          const std::string& text) {
  const ChatPlaceState place = PlaceState();
  const uint32_t pageTarget = ChatLinePageTarget(place.auditorium, targetId, place.rootId, place.placeObjectId);
  CPaneDlg* pane = pageTarget == 0 ? m_roomPage : FindTargetPage(pageTarget);
  auto* page = dynamic_cast<CChatPage*>(pane);
  if (!page) return;
  const COLORREF colour =
      ChatLineColour(privateLine, speakerClass, targetId == place.rootId, ResourceColour(kPrivateLineColour));
  page->AddLine(name, text, colour);
  page->SetHighlight(true);
  const bool frameShown = page->IsFloating() && page->IsShown();
  if (!frameShown && page != m_current) HighlightPage(page, true);
}

void CChatTabWnd::HighlightPage(CPaneDlg* pane, bool highlight) {
  const int index = FindPage(pane);
  if (index < 0 || pane->IsFloating()) return;
  SetTabFlagB(kById, TabCommand(index), highlight);
}

void CChatTabWnd::RepaintTabs() {
  if (m_hWnd) Invalidate(false);
}

// ---- Place changes -------------------------------------------------------------

void CChatTabWnd::SetPlaceKind(int type) {
  if (!m_roomPage) return;
  UINT title = kChatRoomTitle;
  UINT tip = kChatRoomTip;
  if (type == kAuditoriumPlace) {
    title = kAuditoriumTitle;
    tip = kAuditoriumTip;
  } else if (type == kPrivatePlace) {
    title = kPrivateRoomTitle;
    tip = kPrivateRoomTip;
  }
  const std::string text = AfxLoadString(title);
  m_tips[m_roomPage] = AfxLoadString(tip);
  if (text == m_roomPage->GetTitle()) {
    RebuildTabs();
    return;
  }
  m_roomPage->SetTitle(text);
  if (m_roomPage->IsFloating()) m_roomPage->SetFloating(false);
  RebuildTabs();
}

void CChatTabWnd::ResetTabs() {
  for (CPaneDlg* fixed : {static_cast<CPaneDlg*>(m_roomPage), m_broadcastPage})
    if (fixed && fixed->IsFloating()) fixed->SetFloating(false);
  if (m_roomPage) SelectTab(m_roomPage, true);
  for (int index = GetPageCount() - 1; index >= 0; --index) {
    CPaneDlg* page = GetPage(index);
    if (page != m_roomPage && page != m_broadcastPage) RemovePage(index);
  }
}

void CChatTabWnd::ShowFloatingPages() {
  for (const Entry& entry : m_entries) entry.page->ShowFloatFrame();
}

void CChatTabWnd::AttachSideWindow(CWnd* window) {
  m_sideWindow = window;
  Layout();
  if (window) window->ShowWindow(SW_SHOW);
  RecalcMainLayout();
}

void CChatTabWnd::DetachSideWindow(CWnd* window) {
  if (m_sideWindow != window) return;
  m_sideWindow = nullptr;
  Layout();
  RecalcMainLayout();
}

void CChatTabWnd::RecalcMainLayout() {
  if (auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd())) main->RecalcLayout();
}

// ---- Layout ----------------------------------------------------------------------

void CChatTabWnd::Layout() {
  if (!m_host || !m_host->m_hWnd || !m_hWnd) return;
  RECT area{};
  m_host->GetClientRect(&area);
  ::InflateRect(&area, -kInset, -kInset);
  if (area.right < area.left) area.right = area.left;
  if (area.bottom < area.top) area.bottom = area.top;
  const int stripHeight = GetHeight();
  m_stripRect = RECT{area.left, std::max(area.top, area.bottom - stripHeight), area.right, area.bottom};
  m_sideRect = RECT{area.left, area.top, area.right, area.top};
  if (m_sideWindow && m_sideWindow->m_hWnd) {
    RECT side{};
    m_sideWindow->GetWindowRect(&side);
    m_sideRect.bottom = std::min(area.top + (side.bottom - side.top), m_stripRect.top);
    m_sideWindow->MoveWindow(m_sideRect.left, m_sideRect.top, m_sideRect.right - m_sideRect.left,
                             m_sideRect.bottom - m_sideRect.top);
  }
  m_pageRect = RECT{area.left, m_sideRect.bottom, area.right, m_stripRect.top};
  MoveWindow(m_stripRect.left, m_stripRect.top, m_stripRect.right - m_stripRect.left, stripHeight);
  for (const Entry& entry : m_entries)
    if (!entry.page->IsFloating()) entry.page->SetWindowRect(m_pageRect);
}

void CChatTabWnd::FitPage(CPaneDlg* pane) {
  if (pane && !pane->IsFloating()) pane->SetWindowRect(m_pageRect);
}

void CChatTabWnd::GetFloatFrameSize(POINT& position, SIZE& size) {
  size = kFloatFrameSize;
  RECT main{};
  if (CWnd* frame = AfxGetMainWnd()) frame->GetWindowRect(&main);
  const int caption = ::GetSystemMetrics(SM_CYCAPTION);
  const int below = caption + 2 * ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYMENU);
  std::vector<ChatFrameOffset> frames;
  for (const Entry& entry : m_entries) {
    RECT frame{};
    if (entry.page->IsFloating() && entry.page->GetFrameRect(&frame))
      frames.push_back(ChatFrameOffset{frame.left - main.left, frame.top - main.top});
  }
  position = POINT{main.left + ChatFloatFrameX(frames, below, caption), main.top + below};
}

// ---- Tabs ------------------------------------------------------------------------

void CChatTabWnd::RebuildTabs() {
  while (GetItemCount() > 0) RemoveTab(GetTab(0)->GetId());
  for (int index = 0; index < GetPageCount(); ++index) {
    CPaneDlg* page = GetPage(index);
    if (page->IsFloating()) continue;
    const UINT command = TabCommand(index);
    AddTab(command, ChatTabLabel(page->GetTitle()), 0);
    SetTabTip(kById, command, m_tips[page]);
  }
  if (CTabItem* selected = GetSelectedTab()) selected->SetSelected(false);
  SetCurrentItem(nullptr);
  const int current = FindPage(m_current);
  if (current >= 0 && !m_current->IsFloating()) SelectTabByKey(TabCommand(current));
  for (int index = 0; index < GetPageCount(); ++index) {
    CPaneDlg* page = GetPage(index);
    if (!page->IsFloating() && page != m_current && page->IsHighlighted())
      SetTabFlagB(kById, TabCommand(index), true);
  }
  Invalidate(true);
}
