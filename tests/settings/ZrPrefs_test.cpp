// The preferences pages' values against an in-memory settings file: the
// observer count and response message rules, and that what the pages write
// back is what the next load reads (a page left alone changes nothing).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSettings.h"
#include "ZrFolderPrefs.h"
#include "ZrGeneralPrefs.h"
#include "ZrSettings.h"

namespace {

constexpr char kStandardResponse[] = "Not accepting IMs at this time.";

struct ObserverCase {
  const char* text;
  bool accepted;
  int32_t count;
};

TEST(GeneralPrefsRules, ObserverCountIsDigitsOnlyFromOneTo200) {
  const ObserverCase cases[] = {
      {"1", true, 1},      {"10", true, 10},   {"200", true, 200},  {"007", true, 7},
      {"0", false, 0},     {"000", false, 0},  {"201", false, 0},   {"1000", false, 0},
      {"", false, 0},      {"1a", false, 0},   {"a1", false, 0},    {" 5", false, 0},
      {"5 ", false, 0},    {"-5", false, 0},   {"+5", false, 0},    {"1.5", false, 0},
      {"99999999999999999999999", false, 0},   {"4294967297", false, 0},
  };
  for (const ObserverCase& c : cases) {
    int32_t count = -1;
    EXPECT_EQ(CZrGeneralPrefs::ParseObserverCount(c.text, count), c.accepted) << '"' << c.text << '"';
    EXPECT_EQ(count, c.accepted ? c.count : -1) << '"' << c.text << '"';
  }
}

TEST(GeneralPrefsRules, ResponseMessageFollowsTheIgnoreBox) {
  struct Case {
    bool ignore;
    const char* typed;
    const char* kept;
  } const cases[] = {
      {false, "Back soon", ""},
      {false, "", ""},
      {true, "", kStandardResponse},
      {true, "Back soon", "Back soon"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CZrGeneralPrefs::ResponseMessage(c.ignore, c.typed, kStandardResponse), c.kept)
        << c.ignore << " \"" << c.typed << '"';
  }
}

class PrefsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.community = "127.0.0.1";
    // Every value the pages show differs from its neighbours and from its
    // default, so that a value written to the wrong key shows.
    const std::vector<ProfileWrite> file = {
        {"Settings", "AutoLanding", "0"},      {"Settings", "BigHeadGallery", "1"},
        {"Settings", "ViewBigHeads", "0"},     {"Settings", "VoiceEnabled", "0"},
        {"Settings", "BalloonTime", "2"},      {"Community", "HomeURL", "http://place/"},
        {"Gesture", "Sounds", "0"},            {"Community", "HomeServer", "chat.example"},
        {"Settings", "ImagesAutoLoad", "0"},   {"Windows", "ImInternal", "1"},
        {"Query", "MaxObservers", "17"},       {"Settings", "IgnoreAllIMs", "1"},
        {"Settings", "AwayMsg", "Out"},        {"SendFiles", "EnableSendingFiles", "0"},
        {"Community", "ListFile", "lists\\a.hst"}, {"Files", "Browser", "D:\\web\\b.exe"},
        {"Files", "Pictures", "pics\\"},       {"Gesture", "Directory", "moves\\"},
        {"Files", "PersonPict", "mine\\"},     {"Files", "Tours", "D:\\tours\\"},
        {"Files", "Favorite", "fav.txt"},      {"Identity-127.0.0.1", "NickName", "tester"},
    };
    for (const ProfileWrite& entry : file) profile.Set(entry.section, entry.key, entry.value);
    settings.Load(true);
  }

  // The file as the next load of the settings sees it.
  CZrSettings Reloaded() {
    CZrSettings again(profile, host);
    again.Load(true);
    return again;
  }

  FakeProfile profile;
  FakeHost host;
  CZrSettings settings{profile, host};
};

TEST_F(PrefsTest, PagesLeftAloneWriteBackWhatTheFileHeld) {
  settings.Save(true);
  const std::vector<ProfileWrite> before = profile.writes;
  profile.writes.clear();

  CZrGeneralPrefs general(settings);
  ASSERT_TRUE(general.Check(kStandardResponse));
  general.WriteTo(settings, true, nullptr);
  CZrFolderPrefs(settings).WriteTo(settings);
  settings.Save(true);
  EXPECT_EQ(profile.writes, before);
}

TEST_F(PrefsTest, ChangedValuesReachTheFileAndTheHomeAddress) {
  CZrGeneralPrefs general(settings);
  general.m_autoLanding = 1;
  general.m_bigHeadGallery = 0;
  general.m_viewBigHeads = 1;
  general.m_voiceEnabled = 1;
  general.m_balloonTime = 0;
  general.m_homeURL = "http://other/";
  general.m_gestureSounds = 1;
  general.m_homeServer = "chat.other.example";
  general.m_imagesAutoLoad = 1;
  general.m_imInternal = 0;
  general.m_observers = "200";
  general.m_ignoreAllIMs = 1;
  general.m_awayMsg = "";
  general.m_enableSendingFiles = 1;
  ASSERT_TRUE(general.Check(kStandardResponse));
  std::vector<std::string> homes;
  general.WriteTo(settings, true, [&](const std::string& home) { homes.push_back(home); });
  settings.Save(true);

  EXPECT_EQ(homes, std::vector<std::string>{"http://other/"});
  EXPECT_EQ(settings.m_maxObservers, 200);
  EXPECT_EQ(profile.Get("Query", "MaxObservers"), "200");
  const CZrSettings again = Reloaded();
  EXPECT_EQ(again.m_maxObservers, 50);
  EXPECT_EQ(again.m_autoLanding, 1);
  EXPECT_EQ(again.m_bigHeadGallery, 0);
  EXPECT_EQ(again.m_viewBigHeads, 1);
  EXPECT_EQ(again.m_voiceEnabled, 1);
  EXPECT_EQ(again.m_balloonTime, 0);
  EXPECT_EQ(again.m_homeURL, "http://other/");
  EXPECT_EQ(again.m_gestureSounds, 1);
  EXPECT_EQ(again.m_homeServer, "chat.other.example");
  EXPECT_EQ(again.m_imagesAutoLoad, 1);
  EXPECT_EQ(again.m_imInternal, 0);
  EXPECT_EQ(again.m_ignoreAllIMs, 1);
  EXPECT_EQ(again.m_awayMsg, kStandardResponse);
  EXPECT_EQ(profile.Get("Settings", "AwayMsg"), kStandardResponse);
  EXPECT_EQ(again.m_enableSendingFiles, 1);
  EXPECT_EQ(again.m_nickName, "tester");
}

TEST_F(PrefsTest, ClearingTheIgnoreBoxEmptiesTheResponseMessage) {
  CZrGeneralPrefs general(settings);
  general.m_ignoreAllIMs = 0;
  ASSERT_TRUE(general.Check(kStandardResponse));
  general.WriteTo(settings, true, nullptr);
  settings.Save(true);
  EXPECT_EQ(profile.Get("Settings", "AwayMsg"), "");
  EXPECT_EQ(profile.Get("Settings", "IgnoreAllIMs"), "0");
}

TEST_F(PrefsTest, WithoutFileSendingTheSwitchIsWrittenOff) {
  profile.Set("SendFiles", "EnableSendingFiles", "1");
  settings.Load(true);
  CZrGeneralPrefs general(settings);
  ASSERT_EQ(general.m_enableSendingFiles, 1);
  ASSERT_TRUE(general.Check(kStandardResponse));
  general.WriteTo(settings, false, nullptr);
  EXPECT_EQ(settings.m_enableSendingFiles, 0);
}

TEST_F(PrefsTest, ARefusedObserverCountKeepsTheStoredOne) {
  CZrGeneralPrefs general(settings);
  for (const char* refused : {"0", "201", "1a", ""}) {
    general.m_observers = refused;
    EXPECT_FALSE(general.Check(kStandardResponse)) << '"' << refused << '"';
  }
  // Accepted after all, the last accepted count is the one written.
  general.m_observers = "12";
  ASSERT_TRUE(general.Check(kStandardResponse));
  general.WriteTo(settings, true, nullptr);
  EXPECT_EQ(settings.m_maxObservers, 12);
}

TEST_F(PrefsTest, FolderPathsInTheProgramFolderAreStoredRelative) {
  CZrFolderPrefs folders(settings);
  EXPECT_EQ(folders.m_pictures, "C:\\Zanthe\\pics\\");
  EXPECT_EQ(folders.m_tours, "D:\\tours\\");
  folders.m_listFile = "C:\\Zanthe\\servers\\new.hst";
  folders.m_browser = "E:\\browser.exe";
  folders.m_pictures = "C:\\Zanthe\\stock\\";
  folders.m_gestureDirectory = "F:\\gestures\\";
  folders.m_personPict = "own\\";
  folders.m_tours = "C:\\Zanthe\\rides\\";
  folders.m_favorite = "G:\\fav.txt";
  folders.WriteTo(settings);
  settings.Save(true);
  const std::vector<ProfileWrite> expected = {
      {"Community", "ListFile", "servers\\new.hst"}, {"Files", "Browser", "E:\\browser.exe"},
      {"Files", "Pictures", "stock\\"},              {"Gesture", "Directory", "F:\\gestures\\"},
      {"Files", "PersonPict", "own\\"},              {"Files", "Tours", "rides\\"},
      {"Files", "Favorite", "G:\\fav.txt"},
  };
  for (const ProfileWrite& entry : expected) {
    EXPECT_EQ(profile.Get(entry.section, entry.key), entry.value) << entry.section << "/" << entry.key;
  }
  const CZrSettings again = Reloaded();
  EXPECT_EQ(again.m_personPict, "C:\\Zanthe\\own\\");
  EXPECT_EQ(again.m_tours, "C:\\Zanthe\\rides\\");
}

}  // namespace
