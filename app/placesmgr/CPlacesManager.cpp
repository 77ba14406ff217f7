#include "CPlacesManager.h"

#include "CChatWnd.h"
#include "CPlace.h"
#include "CPlacesCommands.h"
#include "CPlacesPane.h"
#include "CTextListFile.h"
#include "CZrApp.h"
#include "ModuleState.h"

namespace {

constexpr UINT kServiceTab = 265;
constexpr UINT kAllPlacesTab = 266;
constexpr UINT kEventsTab = 300;
constexpr UINT kFavoritesTab = 267;
constexpr UINT kSelectAndGoText = 238;
constexpr UINT kWelcomeText = 486;
constexpr UINT kFavoritesWelcomeText = 487;
constexpr UINT kRoomFullText = 473;
constexpr UINT kSchemeText = 546;
constexpr UINT kIconId = 128;
constexpr int kWidth = 420;
constexpr int kHeight = 440;

// The manager's own class, so that other programs can tell its window.
const char* ManagerClass() {
  static const char kClassName[] = "ZrPlacesManager";
  const char* base = CWnd::RegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                            static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
  HICON icon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(kIconId));
  return CWnd::RegisterClassCopy(base, kClassName, icon) ? kClassName : base;
}

}  // namespace

bool CPlacesTabCtrl::OnTabClicked(UINT id) {
  m_manager.ShowTab(static_cast<int>(id - kFirstTabId));
  return true;
}

BEGIN_MESSAGE_MAP(CPlacesManager, CFrameWnd)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPlacesManager::CPlacesManager(CPlacesCommands& owner)
    : m_owner(owner), m_results(owner.Favorites(), owner.App().Boxes().LoadText(kSchemeText)) {}

CPlacesManager::~CPlacesManager() = default;

CPlacesManager* CPlacesManager::Open(CPlacesCommands& owner, int tab) {
  auto* manager = new CPlacesManager(owner);
  if (!manager->CreateWindows(tab)) {
    if (manager->m_hWnd)
      manager->DestroyWindow();  // deletes it
    else
      delete manager;
    return nullptr;
  }
  manager->Query(0, 0, false);
  manager->Query(0, RoomPaging::kPageSize, true);
  return manager;
}

bool CPlacesManager::CreateWindows(int tab) {
  CZrApp& app = m_owner.App();
  const RECT rect{0, 0, kWidth, kHeight};
  if (!Create(ManagerClass(), Text(kCaptionText).c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                                                 WS_MINIMIZEBOX | WS_CLIPCHILDREN,
              rect, app.MainFrame(), 0))
    return false;
  if (!m_tabs.Create(this, CZrTabRow::kTabsAbove, 0) || !m_status.Create(this)) return false;
  m_tabs.SetFont(app.GetNormalFont());
  m_tabs.SetColors(GetColor(10), GetColor(9), GetColor(10));
  const UINT tabTexts[kPageCount] = {kServiceTab, kAllPlacesTab, kEventsTab, kFavoritesTab};
  for (int page = 0; page < kPageCount; ++page) {
    if (page == kAllPlaces && !app.Resources().UseOldPlacesDirectory()) continue;
    m_panes[static_cast<size_t>(page)] = std::make_unique<CPlacesPane>(*this, page);
    if (!m_panes[static_cast<size_t>(page)]->Create(this)) return false;
    m_tabs.AddTab(CPlacesTabCtrl::kFirstTabId + static_cast<UINT>(page), Text(tabTexts[page]), 0);
  }
  RecalcLayout();
  CenterWindow(CWnd::FromHandle(::GetDesktopWindow()));
  ShowTab(tab);
  ShowWindow(SW_SHOW);
  return true;
}

void CPlacesManager::ShowTab(int tab) {
  if (tab < 0 || tab >= kPageCount || !GetPane(tab)) tab = kServicePlaces;
  if (tab == m_tab) return;
  if (CPlacesPane* previous = m_tab >= 0 ? GetPane(m_tab) : nullptr) previous->ShowWindow(SW_HIDE);
  m_tab = tab;
  m_tabs.SelectTabByKey(CPlacesTabCtrl::kFirstTabId + static_cast<UINT>(tab));
  m_owner.SetLastTab(tab);
  CPlacesPane* pane = GetPane(tab);
  if (tab == kFavoritePlaces) RefillPane(kFavoritePlaces);
  pane->ShowWindow(SW_SHOW);
  ShowWelcome();
  pane->OnShown();
}

void CPlacesManager::Refresh(const CPlaceResultPages::Answer& answer, const CPlaceResultPages::PlaceList& places) {
  m_results.Load(answer, places);
  if (answer.allPlaces) {
    RefillPane(kAllPlaces);
    RefillPane(kFavoritePlaces);
  } else {
    RefillPane(kServicePlaces);
    RefillPane(kSpecialEvents);
  }
  ShowWindow(SW_SHOW);
  ::BringWindowToTop(m_hWnd);
  ShowWelcome();
}

void CPlacesManager::RefillPane(int page) {
  CPlacesPane* pane = GetPane(page);
  if (!pane) return;
  pane->Fill(m_results.Rows(page), m_results.Paging(), m_owner.App().PlaceLink().GetPageUrl());
}

void CPlacesManager::ShowWelcome() {
  const UINT prefix = m_tab == kFavoritePlaces ? kFavoritesWelcomeText : kWelcomeText;
  SetStatusText(Text(prefix) + Text(kSelectAndGoText));
}

void CPlacesManager::SetStatusText(const std::string& text) {
  if (m_status.GetSafeHwnd()) m_status.SetTimedText(text, true, std::string());
}

std::string CPlacesManager::Text(UINT id) const { return m_owner.App().Boxes().LoadText(id); }

COLORREF CPlacesManager::GetColor(uint32_t index) const { return m_owner.App().Resources().GetColor(index); }

CFont* CPlacesManager::SmallFont() const { return m_owner.App().GetNormalFont(); }

bool CPlacesManager::IsPlaceConnected() const { return m_owner.App().IsRunning() && m_owner.App().IsConnected(); }

// A query while the place is not connected is lost; the pane waits on.
void CPlacesManager::Query(uint32_t first, uint32_t count, bool allPlaces) {
  if (CPlace* place = m_owner.App().GetRootPlace()) place->SendPlacesQuery(first, count, allPlaces);
}

void CPlacesManager::GoTo(const RoomItem& room) {
  ShowWindow(SW_HIDE);
  m_owner.GoToPlace(room.address, room.copyNumber, IsAuditoriumKind(room.kind));
  PostMessage(WM_CLOSE);
}

void CPlacesManager::AddFavorite(const RoomItem& room) {
  if (CTextListFile* favorites = m_owner.Favorites())
    favorites->Add(room.title, room.address, room.count, room.observers, room.capacity);
}

bool CPlacesManager::RemoveFavorite(const RoomItem& room) {
  CTextListFile* favorites = m_owner.Favorites();
  if (!favorites) return false;
  int index = -1;
  for (int i = favorites->Find(room.address, &index); i >= 0; i = favorites->FindNext(room.address, i)) {
    const CListEntry* entry = favorites->GetAt(i);
    if (entry->GetTitle() == room.title) return favorites->RemoveEntry(entry);
  }
  return false;
}

void CPlacesManager::ShowRoomStatus(const RoomItem* room) {
  if (!room) return;
  SetStatusText(room->IsFull() ? room->address + Text(kRoomFullText) : room->address);
}

// The caption row on top, the status line at the bottom, the panes between.
void CPlacesManager::RecalcLayout() {
  if (!m_tabs.GetSafeHwnd() || !m_status.GetSafeHwnd()) return;
  RECT client{}, status{};
  GetClientRect(&client);
  m_status.GetWindowRect(&status);
  const int statusHeight = status.bottom - status.top;
  const int tabHeight = m_tabs.GetHeight();
  m_status.MoveWindow(0, client.bottom - statusHeight, client.right, statusHeight);
  m_tabs.MoveWindow(0, 0, client.right, tabHeight);
  const int paneHeight = client.bottom - statusHeight - tabHeight;
  for (const auto& pane : m_panes) {
    if (pane && pane->GetSafeHwnd()) pane->MoveWindow(0, tabHeight, client.right, paneHeight > 0 ? paneHeight : 0);
  }
}

void CPlacesManager::OnDestroy() {
  for (auto& pane : m_panes) pane.reset();
  m_owner.OnManagerClosed(this);
  CFrameWnd::OnDestroy();
}

void CPlacesManager::PostNcDestroy() { delete this; }
