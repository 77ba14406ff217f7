// The answers the places manager has received: the current page of all
// places and the community's places, as rows, and where the page stands.
// An all-places answer also refreshes the counts of the favourites that it
// names. No window code here.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RoomRows.h"

class CTextListFile;
class CZrPlaceDesc;

class CPlaceResultPages {
 public:
  using PlaceList = std::vector<std::unique_ptr<CZrPlaceDesc>>;

  // What a places answer says besides its places.
  struct Answer {
    uint32_t first = 0;
    uint32_t count = 0;
    bool allPlaces = false;
    uint32_t total = 0;
    uint32_t people = 0;
    uint32_t observers = 0;
  };

  // `favorites` may be null (no list); `scheme` is cut from row texts.
  CPlaceResultPages(CTextListFile* favorites, std::string scheme);

  void Load(const Answer& answer, const PlaceList& places);
  // The rows that a page shows before filtering: the page of all places
  // for page 1, the favourites for page 3, else the community's places.
  std::vector<RoomItem> Rows(int page) const;

  const RoomPaging& Paging() const { return m_paging; }
  uint32_t PeopleTotal() const { return m_peopleTotal; }

 private:
  void ResetFavoriteCounts();

  CTextListFile* m_favorites;
  std::string m_scheme;
  std::vector<RoomItem> m_allPlaces;
  std::vector<RoomItem> m_communityPlaces;
  RoomPaging m_paging;
  uint32_t m_peopleTotal = 0;
  uint32_t m_observerTotal = 0;
};
