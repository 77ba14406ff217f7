// The identity dialogs' rules that need no window: the Basic Info cut, the
// texts sent to the server and stored in the identity, the caption name, the
// heading cut with "..", the dotted address and the place beside an avatar.
#include <gtest/gtest.h>

#include <string>

#include "CAboutMeValues.h"
#include "CBasicInfoValues.h"
#include "FakeSettings.h"
#include "ZrIdentityText.h"
#include "ZrSettings.h"

namespace {

struct IdentityFixture : testing::Test {
  IdentityFixture() {
    host.community = "Lumora";
    settings.m_nickName = "Ann";
    settings.m_name = "Ann Smith";
    settings.m_address = "Oslo";
    settings.m_email = "ann@example.com";
  }

  FakeProfile profile;
  FakeHost host;
  CZrSettings settings{profile, host};
};

using BasicInfoValuesTest = IdentityFixture;

TEST(CutToMaxCharsTest, TextsPastTheLimitKeepTheirFirstCharacters) {
  struct Case {
    size_t length;
    size_t kept;
    bool cut;
  };
  const Case cases[] = {{0, 0, false}, {29, 29, false}, {30, 30, false}, {31, 30, true}, {75, 30, true}};
  for (const Case& c : cases) {
    std::string text;
    for (size_t i = 0; i < c.length; ++i) text += static_cast<char>('a' + i % 26);
    const std::string original = text;
    EXPECT_EQ(CutToMaxChars(text, kBasicInfoMaxChars), c.cut) << c.length;
    EXPECT_EQ(text, original.substr(0, c.kept)) << c.length;
  }
}

TEST_F(BasicInfoValuesTest, OnlyTheChangedTextsGoToTheServer) {
  struct Case {
    const char* what;
    std::string name;
    std::string location;
    std::string email;
    bool nameSent;
    bool locationSent;
    bool emailSent;
  };
  const Case cases[] = {
      {"nothing changed", "Ann Smith", "Oslo", "ann@example.com", false, false, false},
      {"only the e-mail", "Ann Smith", "Oslo", "ann@other.example", false, false, true},
      {"only the location", "Ann Smith", "Bergen", "ann@example.com", false, true, false},
      {"a name emptied", "", "Oslo", "ann@example.com", true, false, false},
      {"all three", "A. Smith", "Rome", "a@b.c", true, true, true},
  };
  for (const Case& c : cases) {
    CBasicInfoValues values = CBasicInfoValues::FromSettings(settings, nullptr, nullptr);
    values.m_nickname = "Changed nickname";  // the nickname never goes to the server
    values.m_name = c.name;
    values.m_location = c.location;
    values.m_email = c.email;
    const CMyInfoChange change = values.ChangesFrom(settings);
    EXPECT_EQ(change.Any(), c.nameSent || c.locationSent || c.emailSent) << c.what;
    ASSERT_EQ(change.name.has_value(), c.nameSent) << c.what;
    ASSERT_EQ(change.location.has_value(), c.locationSent) << c.what;
    ASSERT_EQ(change.email.has_value(), c.emailSent) << c.what;
    if (c.nameSent) EXPECT_EQ(*change.name, c.name) << c.what;
    if (c.locationSent) EXPECT_EQ(*change.location, c.location) << c.what;
    if (c.emailSent) EXPECT_EQ(*change.email, c.email) << c.what;
  }
}

TEST_F(BasicInfoValuesTest, TextsComeFromTheIdentityOrFromWhatTheServerKnows) {
  const CBasicInfoValues offline = CBasicInfoValues::FromSettings(settings, nullptr, nullptr);
  EXPECT_EQ(offline.m_nickname, "Ann");
  EXPECT_EQ(offline.m_name, "Ann Smith");
  EXPECT_EQ(offline.m_location, "Oslo");
  EXPECT_EQ(offline.m_email, "ann@example.com");

  const std::string connectedNick = "Ann_2";
  const std::string serverName = "Ann S.";
  const CBasicInfoValues online = CBasicInfoValues::FromSettings(settings, &connectedNick, &serverName);
  EXPECT_EQ(online.m_nickname, "Ann_2");
  EXPECT_EQ(online.m_name, "Ann S.");
  EXPECT_EQ(online.m_location, "Oslo");
}

TEST_F(BasicInfoValuesTest, AcceptStoresTheFourTextsInTheCommunitysIdentitySection) {
  CBasicInfoValues values;
  values.m_nickname = "Bo";
  values.m_name = "Bo Berg";
  values.m_location = "Lund";
  values.m_email = "bo@example.com";
  values.Accept(settings);
  EXPECT_EQ(settings.m_nickName, "Bo");
  EXPECT_EQ(settings.m_address, "Lund");
  const std::pair<const char*, const char*> stored[] = {
      {"NickName", "Bo"}, {"Name", "Bo Berg"}, {"Address", "Lund"}, {"Email", "bo@example.com"}};
  for (const auto& [key, value] : stored) EXPECT_EQ(profile.Get("Identity-Lumora", key), value) << key;
}

TEST_F(BasicInfoValuesTest, AcceptMakesADefaultPlaceTitleFromTheNewNickname) {
  settings.m_tourNameIsDefault = 1;
  settings.m_tourName = settings.GetDefaultPlaceTitle();
  ASSERT_EQ(settings.m_tourName, "Ann's  tour");
  CBasicInfoValues values = CBasicInfoValues::FromSettings(settings, nullptr, nullptr);
  values.m_nickname = "Bo";
  values.Accept(settings);
  EXPECT_EQ(settings.m_tourName, "Bo's  tour");

  settings.m_tourNameIsDefault = 0;
  settings.m_tourName = "Our own tour";
  values.m_nickname = "Cy";
  values.Accept(settings);
  EXPECT_EQ(settings.m_tourName, "Our own tour") << "a title the user chose stays";
}

TEST_F(BasicInfoValuesTest, AboutMeTextsRoundTripThroughTheIdentity) {
  CAboutMeValues values = CAboutMeValues::FromSettings(settings);
  EXPECT_EQ(values.m_quote, "");
  values.m_gender = "f";
  values.m_hobbies = "chess";
  values.m_occupation = "pilot";
  values.m_quote = "Onwards.";
  values.Accept(settings);
  const std::pair<const char*, const char*> stored[] = {
      {"Gender", "f"}, {"Hobbies", "chess"}, {"Occupation", "pilot"}, {"Personal Quote", "Onwards."}};
  for (const auto& [key, value] : stored) EXPECT_EQ(profile.Get("Identity-Lumora", key), value) << key;
  const CAboutMeValues reread = CAboutMeValues::FromSettings(settings);
  EXPECT_EQ(reread.m_occupation, "pilot");
}

TEST(IdentityTextTest, CaptionNameIsTheFullNameOnlyWhenNamesShowAndOneIsKnown) {
  struct Case {
    bool showNames;
    const char* name;
    const char* expected;
  };
  const Case cases[] = {{false, "Ann Smith", "ann"}, {true, "Ann Smith", "Ann Smith"}, {true, "", "ann"}};
  for (const Case& c : cases) EXPECT_EQ(CaptionName(c.showNames, c.name, "ann"), c.expected);
}

TEST(IdentityTextTest, HeadingWiderThanItsPlaceIsCutWithTwoDots) {
  // One unit a character, as a fixed-pitch font measures.
  auto width = [](const std::string& text) { return static_cast<int>(text.size()); };
  struct Case {
    const char* text;
    int maxWidth;
    const char* shown;
  };
  const Case cases[] = {{"Nickname", 8, "Nickname"}, {"Nickname", 20, "Nickname"}, {"Nickname", 7, "Nickn.."},
                        {"Nickname", 3, "N.."},      {"Nickname", 1, ".."},         {"", 0, ""}};
  for (const Case& c : cases) EXPECT_EQ(FitWithDots(c.text, c.maxWidth, width), c.shown) << c.maxWidth;
}

TEST(IdentityTextTest, AddressIsShownFirstByteFirst) {
  EXPECT_EQ(DottedAddress(0x0100007Fu), "127.0.0.1");
  EXPECT_EQ(DottedAddress(0xFE01A8C0u), "192.168.1.254");
  EXPECT_EQ(DottedAddress(0), "0.0.0.0");
}

TEST(IdentityTextTest, DialogGoesBesideTheAvatarInsideTheDesktop) {
  const ZrRect desktop{0, 0, 1000, 800};
  struct Case {
    const char* what;
    ZrRect anchor;
    bool minimised;
    bool placed;
    int x;
    int y;
  };
  const Case cases[] = {
      {"room on both sides", {100, 100, 200, 180}, false, true, 150, 140},
      {"past the right edge", {900, 100, 1000, 180}, false, true, 650, 140},
      {"past the bottom", {100, 700, 200, 780}, false, true, 150, 440},
      {"moved left past the desktop", {200, 100, 300, 180}, false, false, 0, 0},
      {"main window minimised", {100, 100, 200, 180}, true, false, 0, 0},
      {"no avatar window", {0, 0, 0, 0}, false, false, 0, 0},
  };
  for (const Case& c : cases) {
    const int width = c.anchor.left == 200 ? 900 : 300;
    int x = 0;
    int y = 0;
    ASSERT_EQ(PlaceBeside(c.anchor, width, 300, desktop, c.minimised, x, y), c.placed) << c.what;
    if (!c.placed) continue;
    EXPECT_EQ(x, c.x) << c.what;
    EXPECT_EQ(y, c.y) << c.what;
  }
}

TEST(IdentityTextTest, MoreInfoGoesNextToTheIdentityDialogInsideTheDesktop) {
  const ZrRect desktop{0, 0, 1000, 800};
  struct Case {
    const char* what;
    ZrRect window;
    int x;
    int y;
  };
  const Case cases[] = {
      {"room at the right", {100, 100, 400, 300}, 400, 100},
      {"no room at the right", {600, 100, 900, 300}, 300, 100},
      {"near the bottom", {100, 700, 400, 790}, 400, 600},
      {"no room on either side", {50, -20, 950, 300}, 0, 0},
  };
  for (const Case& c : cases) {
    int x = -1;
    int y = -1;
    PlaceNextTo(c.window, 300, 200, desktop, x, y);
    EXPECT_EQ(x, c.x) << c.what;
    EXPECT_EQ(y, c.y) << c.what;
  }
}

}  // namespace
