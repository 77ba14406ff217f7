// The tour set-up's choices: the vehicle selected from the stored capacity,
// captions that follow the name, and what is saved.
#include <gtest/gtest.h>

#include "TourSetup.h"

namespace {

TEST(TourSetup, StoredCapacityChoosesTheVehicle) {
  struct Case {
    int stored;
    int selected;
  };
  const Case cases[] = {{11, 11}, {3, 11}, {2, 2}, {0, 2}, {-5, 2}};
  for (const Case& c : cases) EXPECT_EQ(CTourSetup(c.stored, "", "", "").Selected(), c.selected) << c.stored;
}

TEST(TourSetup, CaptionsFollowTheName) {
  CTourSetup setup(2, "", "", "");
  EXPECT_EQ(setup.CaptionOf(2), "Tour for 2");
  EXPECT_EQ(setup.CaptionOf(11), "Tour for 11");
  setup.SetName("Museum");
  EXPECT_EQ(setup.CaptionOf(2), "Museum");
  EXPECT_EQ(setup.CaptionOf(11), "Museum");
}

TEST(TourSetup, SavesTheChoiceWithTheNameTrimmed) {
  CTourSetup setup(2, "Old", "C:\\t\\car.gif", "C:\\t\\bus.gif");
  setup.Select(11);
  setup.SetName("Museum   ");
  ASSERT_TRUE(setup.SetPicture("C:\\t\\coach.gif"));
  const auto saved = setup.Save("alice's tour");
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->capacity, 11);
  EXPECT_EQ(saved->name, "Museum");
  EXPECT_FALSE(saved->noName);
  EXPECT_EQ(saved->smallPicture, "C:\\t\\car.gif");
  EXPECT_EQ(saved->largePicture, "C:\\t\\coach.gif");
}

TEST(TourSetup, EmptyNameTakesTheDefaultAndIsMarked) {
  for (const char* name : {"", "   "}) {
    CTourSetup setup(2, "Old", "", "");
    setup.SetName(name);
    const auto saved = setup.Save("alice's tour");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->name, "alice's tour") << '"' << name << '"';
    EXPECT_TRUE(saved->noName);
  }
}

TEST(TourSetup, NothingSelectedSavesNothingAndTakesNoPicture) {
  CTourSetup setup(2, "Museum", "", "");
  setup.Select(CTourSetup::kNone);
  EXPECT_FALSE(setup.Save("x"));
  EXPECT_FALSE(setup.SetPicture("C:\\t\\bus.gif"));
  setup.Select(7);
  EXPECT_EQ(setup.Selected(), CTourSetup::kNone);
}

}  // namespace
