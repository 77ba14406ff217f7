// The places manager and the favourite places as part of the running
// program: the favourites list from start-up to exit (loaded then, saved
// at exit), its menu in the main window, the commands that open the places
// manager and the favourites, and the road to a chosen place. It plugs into
// the application as the target of the places manager's and the
// favourites' commands.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "CPlaceResultPages.h"
#include "ICommandTarget.h"

class CFavoritesMenu;
class CPlacesManager;
class CTextListFile;
class CZrApp;

class CPlacesCommands : public ICommandTarget {
 public:
  // The tab that "the last tab" means before any was shown.
  static constexpr int kFirstTab = 0;

  explicit CPlacesCommands(CZrApp& app);
  ~CPlacesCommands() override;

  // Loads the favourites and plugs the commands in.
  void Start();
  // Closes the manager, saves the favourites and unplugs.
  void Stop();
  // The manager goes with its community (a community switch).
  void CloseManager();

  void UpdateCommand(UINT id, CCmdUI* ui) override;
  void RunCommand(UINT id) override;

  // The root place's answer to a places query.
  void OnPlaceList(const CPlaceResultPages::Answer& answer, const CPlaceResultPages::PlaceList& places);

  // The main window's menus: a popup that starts with Add to Favorites
  // lists the favourites; their items are measured and drawn here.
  void OnInitMenuPopup(HMENU popup);
  // A favourite chosen in a menu shows its address on the status line.
  void OnMenuSelect(UINT item);
  bool MeasureItem(MEASUREITEMSTRUCT& item) const;
  bool DrawItem(const DRAWITEMSTRUCT& item);

  // Goes to a place of a list: the copy number selects the copy of a
  // replicated place; an auditorium is entered where the user is.
  void GoToPlace(const std::string& address, uint8_t copyNumber, bool auditorium);

  CZrApp& App() const { return m_app; }
  CTextListFile* Favorites() const { return m_favorites.get(); }
  void SetLastTab(int tab) { m_lastTab = tab; }
  void OnManagerClosed(CPlacesManager* manager);

 private:
  void ShowManager(int tab);
  void AddCurrentPlace();
  void TrackFavoritesMenu();

  CZrApp& m_app;
  std::unique_ptr<CTextListFile> m_favorites;
  std::unique_ptr<CFavoritesMenu> m_menu;
  CPlacesManager* m_manager = nullptr;
  int m_lastTab = kFirstTab;
};
