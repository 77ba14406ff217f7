// "Quick Directory": the frame in which the user picks a place. It asks the
// root place for the community's places and the first page of all places,
// shows them on its tabs (service places, all places, special events,
// favourites), and goes to the place chosen. It deletes itself when its
// window is gone and then tells its owner.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "CFrameWnd.h"
#include "CPlaceResultPages.h"
#include "CZrStatusBar.h"
#include "CZrTabRow.h"
#include "RoomRows.h"

class CFont;
class CPlacesCommands;
class CPlacesPane;
class CPlacesManager;

// The tab row: a click selects the page at once.
class CPlacesTabCtrl : public CZrTabRow {
 public:
  static constexpr UINT kFirstTabId = 0x7F10;
  explicit CPlacesTabCtrl(CPlacesManager& manager) : m_manager(manager) {}
  bool OnTabClicked(UINT id) override;

 private:
  CPlacesManager& m_manager;
};

class CPlacesManager : public CFrameWnd {
 public:
  static constexpr UINT kCaptionText = 484;
  static constexpr int kPageCount = 4;

  // Makes and shows the manager on `tab` and sends the two queries; null
  // when the window could not be made.
  static CPlacesManager* Open(CPlacesCommands& owner, int tab);

  void ShowTab(int tab);
  void Refresh(const CPlaceResultPages::Answer& answer, const CPlaceResultPages::PlaceList& places);
  void SetStatusText(const std::string& text);
  CPlacesPane* GetPane(int page) const { return m_panes[static_cast<size_t>(page)].get(); }

  // What the panes ask of the manager.
  std::string Text(UINT id) const;
  COLORREF GetColor(uint32_t index) const;
  CFont* SmallFont() const;
  bool IsPlaceConnected() const;
  CPlaceResultPages& Results() { return m_results; }
  void Query(uint32_t first, uint32_t count, bool allPlaces);
  void GoTo(const RoomItem& room);
  void AddFavorite(const RoomItem& room);
  bool RemoveFavorite(const RoomItem& room);
  void ShowRoomStatus(const RoomItem* room);

 protected:
  void RecalcLayout() override;
  void PostNcDestroy() override;
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  explicit CPlacesManager(CPlacesCommands& owner);
  ~CPlacesManager() override;
  bool CreateWindows(int tab);
  void ShowWelcome();
  void RefillPane(int page);

  CPlacesCommands& m_owner;
  CPlaceResultPages m_results;
  CPlacesTabCtrl m_tabs{*this};
  CZrStatusBar m_status;
  std::array<std::unique_ptr<CPlacesPane>, kPageCount> m_panes;
  int m_tab = -1;
};
