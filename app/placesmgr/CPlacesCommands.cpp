#include "CPlacesCommands.h"

#include "CChatWnd.h"
#include "CCmdUI.h"
#include "CFavoritesMenu.h"
#include "CPlace.h"
#include "CPlacesManager.h"
#include "CTabWnd.h"
#include "CTextListFile.h"
#include "CZrApp.h"
#include "ModuleState.h"
#include "ZrFavoriteNotice.h"
#include "ZrPlaceSelector.h"
#include "resource.h"

namespace {
constexpr char kDefaultFileName[] = "zrplaces.txt";
}  // namespace

CPlacesCommands::CPlacesCommands(CZrApp& app) : m_app(app) {}

CPlacesCommands::~CPlacesCommands() = default;

void CPlacesCommands::Start() {
  CZrSettings& settings = m_app.Settings();
  m_favorites = std::make_unique<CTextListFile>(settings.m_favorite, settings.GetProgramFolder() + kDefaultFileName,
                                                ZrFavoriteDuplicateBox());
  // A file name whose folder was missing gave way to the default.
  if (m_favorites->GetFileName() != settings.m_favorite) settings.m_favorite = m_favorites->GetFileName();
  m_menu = std::make_unique<CFavoritesMenu>(*m_favorites,
                                            [this](const std::string& address) { m_app.SetStatusText(address); });
  m_app.SetCommandTarget(ZrCommandTarget::kPlacesManager, this);
  m_app.SetCommandTarget(ZrCommandTarget::kFavourites, this);
}

void CPlacesCommands::Stop() {
  m_app.SetCommandTarget(ZrCommandTarget::kPlacesManager, nullptr);
  m_app.SetCommandTarget(ZrCommandTarget::kFavourites, nullptr);
  CloseManager();
  m_menu.reset();
  m_favorites.reset();
}

void CPlacesCommands::CloseManager() {
  if (m_manager && ::IsWindow(m_manager->m_hWnd)) m_manager->DestroyWindow();
  m_manager = nullptr;
}

void CPlacesCommands::UpdateCommand(UINT id, CCmdUI* ui) {
  switch (id) {
    case ID_QUICK_DIRECTORY:
    case ID_ORGANIZE_FAVORITES:
    case ID_FAVORITES:
    case ID_ADD_FAVORITE:
    case ID_GO_TO_FAVORITE:
      ui->Enable(m_favorites != nullptr);
      break;
    default:
      ui->Enable(false);
      break;
  }
}

void CPlacesCommands::RunCommand(UINT id) {
  switch (id) {
    case ID_QUICK_DIRECTORY:
      ShowManager(m_lastTab);
      break;
    case ID_ORGANIZE_FAVORITES:
      ShowManager(kFavoritePlaces);
      break;
    case ID_FAVORITES:
      TrackFavoritesMenu();
      break;
    case ID_ADD_FAVORITE:
      AddCurrentPlace();
      break;
    case ID_GO_TO_FAVORITE:
      if (m_menu && !m_menu->GetCurrentAddress().empty()) GoToPlace(m_menu->GetCurrentAddress(), 1, false);
      break;
    default:
      break;
  }
}

// One manager: an open one comes to the top on the asked tab.
void CPlacesCommands::ShowManager(int tab) {
  if (m_manager && ::IsWindow(m_manager->m_hWnd)) {
    m_manager->ShowTab(tab);
    m_manager->ShowWindow(SW_SHOWNORMAL);
    ::BringWindowToTop(m_manager->m_hWnd);
    return;
  }
  m_manager = CPlacesManager::Open(*this, tab);
}

void CPlacesCommands::OnManagerClosed(CPlacesManager* manager) {
  if (manager != m_manager) return;
  m_manager = nullptr;
  if (CChatWnd* main = m_app.MainFrame()) {
    if (::IsWindow(main->m_hWnd)) ::SetFocus(main->m_hWnd);
  }
}

void CPlacesCommands::OnPlaceList(const CPlaceResultPages::Answer& answer,
                                  const CPlaceResultPages::PlaceList& places) {
  if (m_manager && ::IsWindow(m_manager->m_hWnd)) m_manager->Refresh(answer, places);
}

// The place's page is listed under its address: the root place keeps the
// title of the first place it entered, which would name the wrong place.
void CPlacesCommands::AddCurrentPlace() {
  const std::string address = m_app.PlaceLink().GetPageUrl();
  if (!m_favorites || !m_app.GetRootPlace() || address.empty()) return;
  m_favorites->Add(std::string(), address);
}

void CPlacesCommands::TrackFavoritesMenu() {
  CChatWnd* main = m_app.MainFrame();
  if (!main || !m_menu) return;
  POINT at{};
  ::GetCursorPos(&at);
  for (int bar = 0; CTabWnd* toolBar = main->GetToolBar(bar); ++bar) {
    if (!toolBar->GetSafeHwnd() || toolBar->FindItemById(ID_FAVORITES) < 0) continue;
    RECT button = toolBar->GetButtonRect(CBarWnd::kById, ID_FAVORITES);
    ::MapWindowPoints(toolBar->m_hWnd, nullptr, reinterpret_cast<POINT*>(&button), 2);
    at = POINT{button.left, button.bottom};
  }
  m_menu->Track(AfxGetResourceHandle(), main->m_hWnd, at.x, at.y);
}

void CPlacesCommands::OnInitMenuPopup(HMENU popup) {
  if (m_menu && ::GetMenuItemCount(popup) > 0 && ::GetMenuItemID(popup, 0) == ID_ADD_FAVORITE) m_menu->Rebuild(popup);
}

// The selected item was drawn just before: its address is the current one.
void CPlacesCommands::OnMenuSelect(UINT item) {
  if (item == ID_GO_TO_FAVORITE && m_menu && !m_menu->GetCurrentAddress().empty())
    m_app.SetStatusText(m_menu->GetCurrentAddress());
}

bool CPlacesCommands::MeasureItem(MEASUREITEMSTRUCT& item) const { return m_menu && m_menu->MeasureItem(item); }

bool CPlacesCommands::DrawItem(const DRAWITEMSTRUCT& item) { return m_menu && m_menu->DrawItem(item); }

void CPlacesCommands::GoToPlace(const std::string& address, uint8_t copyNumber, bool auditorium) {
  CPlace* place = m_app.GetRootPlace();
  if (!place || !m_app.IsConnected() || address.empty()) return;
  m_app.PlaceLink().KeepPage(address);
  if (!auditorium) {
    // Copy 0 does not exist: the selector would be refused.
    place->SetSelector(CZrPlaceSelector::Number(copyNumber != 0 ? copyNumber : 1));
    place->ShowUrl(address);
  }
  place->Enter(address, std::string());
}
