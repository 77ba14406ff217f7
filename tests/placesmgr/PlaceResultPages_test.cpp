#include "CPlaceResultPages.h"

#include <gtest/gtest.h>

#include "CTextListFile.h"
#include "ZrPlaceDesc.h"

namespace {

std::unique_ptr<CZrPlaceDesc> Place(const std::string& name, uint32_t members, uint32_t observers = 0,
                                    uint32_t kind = 0x880) {
  auto place = std::make_unique<CZrPlaceDesc>();
  place->kind = kind;
  place->name = name;
  place->memberCount = members;
  place->observerCount = observers;
  place->capacity = 40;
  return place;
}

std::vector<std::string> Addresses(const std::vector<RoomItem>& rows) {
  std::vector<std::string> addresses;
  for (const RoomItem& row : rows) addresses.push_back(row.address);
  return addresses;
}

class PlaceResultPagesTest : public testing::Test {
 protected:
  PlaceResultPagesTest() : m_favorites("", ""), m_pages(&m_favorites, "http://") {
    m_favorites.Add("Garden", "http://garden/", 9, 9, 9);
    m_favorites.Add("Roof", "http://roof/", 4, 0, 10);
  }

  void LoadAll(uint32_t first, uint32_t total, CPlaceResultPages::PlaceList places) {
    CPlaceResultPages::Answer answer;
    answer.first = first;
    answer.count = static_cast<uint32_t>(places.size());
    answer.allPlaces = true;
    answer.total = total;
    answer.people = 77;
    m_pages.Load(answer, places);
  }

  CTextListFile m_favorites;
  CPlaceResultPages m_pages;
};

TEST_F(PlaceResultPagesTest, AllPlacesAnswerReplacesItsPageAndRefreshesFavorites) {
  CPlaceResultPages::PlaceList places;
  places.push_back(Place("http://garden/", 3, 2));
  places.push_back(Place("http://hall/", 1));
  LoadAll(100, 250, std::move(places));

  EXPECT_EQ(Addresses(m_pages.Rows(kAllPlaces)), (std::vector<std::string>{"http://garden/", "http://hall/"}));
  EXPECT_TRUE(m_pages.Rows(kServicePlaces).empty());
  EXPECT_EQ(m_pages.Paging().first, 100u);
  EXPECT_TRUE(m_pages.Paging().HasPrevious());
  EXPECT_TRUE(m_pages.Paging().HasMore());
  EXPECT_EQ(m_pages.PeopleTotal(), 77u);
  // The named favourite takes the answer's counts; the other is reset.
  const std::vector<RoomItem> favorites = m_pages.Rows(kFavoritePlaces);
  ASSERT_EQ(favorites.size(), 2u);
  EXPECT_EQ(favorites[0].address, "http://garden/");
  EXPECT_EQ(favorites[0].count, 3);
  EXPECT_EQ(favorites[0].observers, 2);
  EXPECT_EQ(favorites[0].capacity, 40);
  EXPECT_EQ(favorites[1].count, 0);
  EXPECT_EQ(favorites[1].capacity, 1);
}

TEST_F(PlaceResultPagesTest, CommunityAnswerLeavesThePageAndFavorites) {
  CPlaceResultPages::PlaceList first;
  first.push_back(Place("http://hall/", 1));
  LoadAll(0, 1, std::move(first));

  CPlaceResultPages::PlaceList community;
  community.push_back(Place("http://roof/", 8));
  community.push_back(nullptr);
  m_pages.Load(CPlaceResultPages::Answer{}, community);

  EXPECT_EQ(Addresses(m_pages.Rows(kServicePlaces)), std::vector<std::string>{"http://roof/"});
  EXPECT_EQ(Addresses(m_pages.Rows(kSpecialEvents)), std::vector<std::string>{"http://roof/"});
  EXPECT_EQ(Addresses(m_pages.Rows(kAllPlaces)), std::vector<std::string>{"http://hall/"});
  EXPECT_EQ(m_pages.Rows(kFavoritePlaces)[1].count, 0);
}

TEST(PlaceResultPages, WithoutFavoritesTheFavoritesPageIsEmpty) {
  CPlaceResultPages pages(nullptr, "http://");
  CPlaceResultPages::PlaceList places;
  places.push_back(Place("http://a/", 1));
  CPlaceResultPages::Answer answer;
  answer.allPlaces = true;
  answer.total = 1;
  pages.Load(answer, places);
  EXPECT_TRUE(pages.Rows(kFavoritePlaces).empty());
  EXPECT_EQ(pages.Rows(kAllPlaces).size(), 1u);
}

}  // namespace
