#include "CPlaceResultPages.h"

#include <utility>

#include "CTextListFile.h"
#include "ZrPlaceDesc.h"

CPlaceResultPages::CPlaceResultPages(CTextListFile* favorites, std::string scheme)
    : m_favorites(favorites), m_scheme(std::move(scheme)) {}

void CPlaceResultPages::Load(const Answer& answer, const PlaceList& places) {
  std::vector<RoomItem> rows;
  rows.reserve(places.size());
  if (answer.allPlaces) ResetFavoriteCounts();
  for (const auto& place : places) {
    if (!place) continue;
    rows.push_back(RoomItemOf(*place, m_scheme));
    if (answer.allPlaces && m_favorites) m_favorites->UpdatePlace(*place);
  }
  if (answer.allPlaces) {
    m_allPlaces = std::move(rows);
    m_paging = RoomPaging{answer.first, answer.total};
  } else {
    m_communityPlaces = std::move(rows);
  }
  m_peopleTotal = answer.people;
  m_observerTotal = answer.observers;
}

std::vector<RoomItem> CPlaceResultPages::Rows(int page) const {
  if (page == kAllPlaces) return m_allPlaces;
  if (page != kFavoritePlaces) return m_communityPlaces;
  std::vector<RoomItem> rows;
  for (int i = 0; m_favorites && i < m_favorites->GetCount(); ++i)
    rows.push_back(RoomItemOf(*m_favorites->GetAt(i), m_scheme));
  return rows;
}

// Favourites that the next page does not name show no people.
void CPlaceResultPages::ResetFavoriteCounts() {
  for (int i = 0; m_favorites && i < m_favorites->GetCount(); ++i) m_favorites->GetAt(i)->SetCounts(0, 0, 1);
}
