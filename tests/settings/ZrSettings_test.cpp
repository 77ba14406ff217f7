// The settings model against an in-memory settings file: defaults, rules at
// load, what is saved and in which order, relative paths, the identity per
// community, mood pictures and the tip flag.
#include "ZrSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeSettings.h"

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  FakeProfile profile;
  FakeHost host;
  CZrSettings settings{profile, host};
};

TEST_F(SettingsTest, AnEmptyFileSavesEveryDefaultInTheSavingOrder) {
  settings.Load(false);
  settings.Save(false);
  const std::vector<ProfileWrite> expected = {
      {"Settings", "FaceCacheSize", "200"},
      {"Settings", "ImagesAutoLoad", "1"},
      {"Settings", "AlwaysOnTop", "0"},
      {"Settings", "MainXPos", "0"},
      {"Settings", "MainYPos", "0"},
      {"Settings", "StartUpDone", "0"},
      {"Settings", "BalloonTime", "1"},
      {"Settings", "RadioApp", ""},
      {"Settings", "WinWidth", "-1"},
      {"Settings", "WinHeight", "-1"},
      {"Settings", "VoiceEnabled", "1"},
      {"Settings", "BigHeadGallery", "0"},
      {"Settings", "ViewBigHeads", "0"},
      {"Settings", "IgnoreAllIMs", "0"},
      {"Settings", "AwayMsg", "Not accepting IMs at this time."},
      {"Windows", "BigFaces", "0"},
      {"Windows", "ImInternal", "0"},
      {"Windows", "Layout", ""},
      {"Windows", "LayoutMode", "0"},
      {"Settings", "AutoLanding", "1"},
      {"Settings", "MyselfXPos", "2000"},
      {"Settings", "MyselfYPos", "2000"},
      {"Files", "Pictures", "Exts\\StockAvatars\\"},
      {"Files", "PersonPict", "Exts\\Gallery\\"},
      {"Files", "Tours", "Exts\\Tours\\"},
      {"Files", "Browser", ""},
      {"Community", "ListFile", "zrserver.hst"},
      {"Community", "HomeServer", "chat.lumora.example"},
      {"Community", "ServerTitle", "chat.lumora.example"},
      {"Files", "Favorite", "zrplaces.txt"},
      {"Tour", "Capacity", "2"},
      {"Tour", "2Picture", ""},
      {"Tour", "11Picture", ""},
      {"Audio", "Enabled", "0"},
      {"Tips", "LastTipNew", ""},
      {"Exit", "ShowExitDialog", "1"},
      {"Query", "MaxObservers", "10"},
      {"Gesture", "Sounds", "1"},
      {"Gesture", "Directory", "Exts\\Gestures\\"},
      {"SendFiles", "EnableSendingFiles", "1"},
      {"DLLs", "Resources", "ZrRes.dll"},
  };
  ASSERT_EQ(profile.writes.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(profile.writes[i], expected[i])
        << i << ": " << profile.writes[i].section << "/" << profile.writes[i].key << "="
        << profile.writes[i].value;
  }
}

TEST_F(SettingsTest, UnsavedKeysAndValuesOutsideTheFileHaveTheirDefaults) {
  settings.Load(false);
  EXPECT_EQ(settings.m_isDebug, 0);
  EXPECT_EQ(settings.m_mappingFile, "");
  EXPECT_EQ(settings.m_homeURL, "home.lumora.example");
  EXPECT_EQ(settings.m_animationURL, "www.lumora.example");
  EXPECT_EQ(settings.m_audioDirectory, "C:\\Zanthe\\Exts\\VODOdivi\\");
  EXPECT_EQ(settings.m_audioExeName, "vododivi.exe");
  EXPECT_EQ(settings.m_broadcastDirectory, "c:\\");
  EXPECT_EQ(settings.m_personsNum, 0);
  EXPECT_EQ(settings.m_cacheDirectory, "C:\\Zanthe\\Cache\\");
  EXPECT_EQ(settings.m_lastTab, 0);
  EXPECT_EQ(settings.m_netscape, 0);
  EXPECT_EQ(settings.m_pictures, "C:\\Zanthe\\Exts\\StockAvatars\\");
  EXPECT_EQ(settings.m_favorite, "C:\\Zanthe\\zrplaces.txt");
  EXPECT_EQ(settings.m_listFile, "C:\\Zanthe\\zrserver.hst");
  const uint16_t bounds[] = {settings.m_msieMajorMin,    settings.m_msieMajorMax,
                             settings.m_msieMinorMin,    settings.m_msieMinorMax,
                             settings.m_msieBuildMin,    settings.m_msieBuildMax,
                             settings.m_netscapeMajorMin, settings.m_netscapeMajorMax};
  const uint16_t expected[] = {3, 5, 70, 0, 1155, 10000, 3, 4};
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(bounds[i], expected[i]) << i;
  EXPECT_EQ(settings.m_idleLimit, 1);
  EXPECT_EQ(settings.m_lastTabExtra, 0);
  EXPECT_EQ(settings.m_layoutTop, 60);
  EXPECT_EQ(settings.m_layoutBottom, 20);
  EXPECT_EQ(settings.m_layoutSide, 50);
  EXPECT_EQ(settings.m_layoutChat, 75);
  EXPECT_EQ(settings.m_showTipAtStart, 0);
}

struct IntRuleCase {
  const char* section;
  const char* key;
  const char* stored;
  int32_t CZrSettings::*member;
  int32_t expected;
};

TEST_F(SettingsTest, OutOfRangeNumbersAreCorrectedAtLoad) {
  const IntRuleCase cases[] = {
      {"Settings", "FaceCacheSize", "999", &CZrSettings::m_faceCacheSize, 250},
      {"Settings", "FaceCacheSize", "250", &CZrSettings::m_faceCacheSize, 250},
      {"Settings", "FaceCacheSize", "-40", &CZrSettings::m_faceCacheSize, 0},
      {"Query", "MaxObservers", "0", &CZrSettings::m_maxObservers, 1},
      {"Query", "MaxObservers", "49", &CZrSettings::m_maxObservers, 49},
      {"Query", "MaxObservers", "50", &CZrSettings::m_maxObservers, 50},
      {"Query", "MaxObservers", "77", &CZrSettings::m_maxObservers, 50},
      {"Settings", "MainXPos", "1024", &CZrSettings::m_mainXPos, 0},
      {"Settings", "MainXPos", "1023", &CZrSettings::m_mainXPos, 1023},
      {"Settings", "MainXPos", "-5", &CZrSettings::m_mainXPos, 0},
      {"Settings", "MainYPos", "768", &CZrSettings::m_mainYPos, 0},
      {"Settings", "MainYPos", "767", &CZrSettings::m_mainYPos, 767},
      {"Settings", "MyselfXPos", "-1", &CZrSettings::m_myselfXPos, 2000},
      {"Settings", "MyselfXPos", "9999", &CZrSettings::m_myselfXPos, 9999},
      {"Settings", "MyselfYPos", "10000", &CZrSettings::m_myselfYPos, 2000},
      {"Settings", "MyselfYPos", "0", &CZrSettings::m_myselfYPos, 0},
      {"Windows", "LayoutMode", "3", &CZrSettings::m_layoutMode, 3},
      {"Windows", "LayoutMode", "7", &CZrSettings::m_layoutMode, 0},
      {"Windows", "LayoutMode", "-1", &CZrSettings::m_layoutMode, 0},
      {"Settings", "WinWidth", "640", &CZrSettings::m_winWidth, 640},
  };
  for (const IntRuleCase& c : cases) {
    FakeProfile file;
    CZrSettings loaded(file, host);
    file.Set(c.section, c.key, c.stored);
    loaded.Load(false);
    EXPECT_EQ(loaded.*c.member, c.expected) << c.key << "=" << c.stored;
  }
}

TEST_F(SettingsTest, BrowserBoundsOutsideSixteenBitsKeepTheirDefaults) {
  profile.Set("Browser", "MSIE_BUILD_MAX", "70000");
  profile.Set("Browser", "MSIE_BUILD_MIN", "-3");
  profile.Set("Browser", "MSIE_MINOR_MAX", "65535");
  settings.Load(false);
  EXPECT_EQ(settings.m_msieBuildMax, 10000);
  EXPECT_EQ(settings.m_msieBuildMin, 1155);
  EXPECT_EQ(settings.m_msieMinorMax, 65535);
}

struct PathCase {
  const char* stored;
  const char* loaded;
  const char* saved;
};

TEST_F(SettingsTest, RelativePathsGainTheProgramFolderAndLoseItOnSave) {
  const PathCase cases[] = {
      {"Avatars\\", "C:\\Zanthe\\Avatars\\", "Avatars\\"},
      {"D:\\Pictures\\", "D:\\Pictures\\", "D:\\Pictures\\"},
      {"\\\\server\\share\\", "\\\\server\\share\\", "\\\\server\\share\\"},
  };
  for (const PathCase& c : cases) {
    FakeProfile file;
    CZrSettings loaded(file, host);
    file.Set("Files", "Pictures", c.stored);
    loaded.Load(false);
    EXPECT_EQ(loaded.m_pictures, c.loaded) << c.stored;
    loaded.Save(false);
    EXPECT_EQ(file.Get("Files", "Pictures"), c.saved) << c.stored;
  }
}

TEST_F(SettingsTest, OnlyALeadingProgramFolderIsCutOnSave) {
  settings.Load(false);
  const PathCase cases[] = {
      {"c:\\zanthe\\Gallery\\", "", "Gallery\\"},
      {"D:\\Backup\\C:\\Zanthe\\Gallery\\", "", "D:\\Backup\\C:\\Zanthe\\Gallery\\"},
      {"C:\\Zan", "", "C:\\Zan"},
  };
  for (const PathCase& c : cases) {
    settings.m_personPict = c.stored;
    settings.Save(false);
    EXPECT_EQ(profile.Get("Files", "PersonPict"), c.saved) << c.stored;
  }
}

TEST_F(SettingsTest, EmptyTextsGiveTheirDefaults) {
  profile.Set("Settings", "AwayMsg", "");
  profile.Set("Community", "HomeServer", "chat.other.example");
  settings.Load(false);
  EXPECT_EQ(settings.m_awayMsg, "Not accepting IMs at this time.");
  EXPECT_EQ(settings.m_serverTitle, "chat.other.example");
}

TEST_F(SettingsTest, HomePageIsWrittenOnlyWhenItDiffersFromTheDefault) {
  settings.Load(false);
  settings.m_homeURL = "http://mine.example/";
  settings.Save(false);
  EXPECT_EQ(profile.Get("Community", "HomeURL"), "http://mine.example/");
  // Back to the default: the stored page is removed, so the default holds
  // again at the next load instead of the old page.
  settings.m_homeURL = "home.lumora.example";
  profile.writes.clear();
  settings.Save(false);
  EXPECT_FALSE(profile.Has("Community", "HomeURL"));
  for (const ProfileWrite& write : profile.writes) EXPECT_NE(write.key, "HomeURL");
  settings.Load(false);
  EXPECT_EQ(settings.m_homeURL, "home.lumora.example");
}

TEST_F(SettingsTest, AudioProgramIsSavedOnlyWhileAudioIsEnabled) {
  settings.Load(false);
  settings.m_audioExeName = "other.exe";
  settings.Save(false);
  EXPECT_FALSE(profile.Has("Audio", "ExeName"));
  EXPECT_FALSE(profile.Has("Audio", "Directory"));
  settings.m_audioEnabled = 1;
  settings.m_audioDirectory = "C:\\Zanthe\\Audio\\";
  settings.Save(false);
  EXPECT_EQ(profile.Get("Audio", "ExeName"), "other.exe");
  EXPECT_EQ(profile.Get("Audio", "Directory"), "Audio\\");
}

TEST_F(SettingsTest, TourNameEqualToTheDefaultTitleIsNotSavedUntilChanged) {
  profile.Set("Identity-", "NickName", "Bob");
  settings.Load(true);
  settings.Load(true);  // the default title needs the identity's nickname
  EXPECT_EQ(settings.m_tourName, "Bob's  tour");
  EXPECT_EQ(settings.m_tourNameIsDefault, 1);
  settings.Save(false);
  EXPECT_FALSE(profile.Has("Tour", "Name"));
  // A name given after loading is kept even though the flag is still set.
  settings.m_tourName = "Evening walk";
  settings.Save(false);
  EXPECT_EQ(profile.Get("Tour", "Name"), "Evening walk");
  settings.Load(false);
  EXPECT_EQ(settings.m_tourNameIsDefault, 0);
  EXPECT_EQ(settings.m_tourName, "Evening walk");
}

TEST_F(SettingsTest, SendingFilesIsNeitherReadNorWrittenWithoutTheSwitch) {
  profile.Set("SendFiles", "EnableSendingFiles", "1");
  host.sendFiles = false;
  settings.Load(false);
  EXPECT_EQ(settings.m_enableSendingFiles, 0);
  settings.Save(false);
  EXPECT_EQ(profile.Get("SendFiles", "EnableSendingFiles"), "1");
  host.sendFiles = true;
  profile.Set("SendFiles", "EnableSendingFiles", "0");
  settings.Load(false);
  EXPECT_EQ(settings.m_enableSendingFiles, 0);
}

TEST_F(SettingsTest, IdentityIsKeptPerCommunity) {
  host.community = "Alpha";
  settings.m_nickName = "Kept";
  settings.Load(true);
  EXPECT_EQ(settings.m_nickName, "Kept") << "no section: the identity keeps its values";

  profile.Set("Identity-Alpha", "NickName", "Ann");
  profile.Set("Identity-Alpha", "Personal Quote", "Hi there");
  profile.Set("Identity-Alpha", "Sel", "3");
  settings.Load(true);
  EXPECT_EQ(settings.m_nickName, "Ann");
  EXPECT_EQ(settings.m_personalQuote, "Hi there");
  EXPECT_EQ(settings.m_sel, 3);

  settings.m_email = "ann@alpha.example";
  settings.Save(true);
  EXPECT_EQ(profile.Get("Identity-Alpha", "Email"), "ann@alpha.example");
  EXPECT_FALSE(profile.HasSection("", "Identity-Beta"));
  const std::vector<std::string> order = {"NickName", "Name",  "Address", "Email",
                                          "Normal",   "Happy", "Angry",   "Sad",
                                          "Sel",      "Gender", "Hobbies", "Occupation",
                                          "Personal Quote"};
  std::vector<std::string> written;
  for (const ProfileWrite& write : profile.writes) {
    if (write.section == "Identity-Alpha") written.push_back(write.key);
  }
  EXPECT_EQ(written, order);
}

TEST_F(SettingsTest, IdentityOfAnEmptyCommunityIsSavedWhereItIsRead) {
  settings.m_nickName = "Solo";
  settings.Save(true);
  EXPECT_TRUE(settings.HasIdentitySection(""));
  settings.m_nickName.clear();
  settings.Load(true);
  EXPECT_EQ(settings.m_nickName, "Solo");
}

TEST_F(SettingsTest, IdentityDefaultsAndABadMood) {
  profile.Set("Settings", "StartUpDone", "1");
  profile.Set("Identity-Alpha", "Sel", "9");
  host.community = "Alpha";
  settings.Load(true);
  EXPECT_EQ(settings.m_nickName, "NoName");
  EXPECT_EQ(settings.m_sel, 1);
  profile.Set("Settings", "StartUpDone", "0");
  settings.Load(true);
  EXPECT_EQ(settings.m_nickName, "");
}

TEST_F(SettingsTest, IdentityNicknameOfAnotherCommunity) {
  settings.m_nickName = "Current";
  EXPECT_EQ(settings.GetIdentityNick("Beta"), "Current");
  settings.SetIdentityNick("Bea", "Beta");
  EXPECT_TRUE(settings.HasIdentitySection("Beta"));
  EXPECT_EQ(settings.GetIdentityNick("Beta"), "Bea");
  EXPECT_EQ(profile.Get("Identity-Beta", "NickName"), "Bea");
}

TEST_F(SettingsTest, MoodPictures) {
  settings.m_normal = "n.bmp";
  settings.m_happy = "h.bmp";
  settings.m_angry = "a.bmp";
  settings.m_sad = "s.bmp";
  const char* expected[] = {"n.bmp", "h.bmp", "a.bmp", "s.bmp"};
  for (int32_t sel = 1; sel <= 4; ++sel) {
    settings.m_sel = sel;
    EXPECT_EQ(settings.GetSelectedPicture(), expected[sel - 1]) << sel;
  }
  settings.m_sel = 7;
  EXPECT_EQ(settings.GetSelectedPicture(), "n.bmp");
  EXPECT_EQ(settings.m_sel, 1);
  EXPECT_TRUE(settings.HasOddPictureSet());

  settings.m_sel = 3;
  settings.ResetSelectedPicture();
  EXPECT_EQ(settings.m_angry, "");
  EXPECT_EQ(settings.m_happy, "h.bmp");
  EXPECT_EQ(settings.m_sel, 1);
  settings.ResetSelectedPicture();
  EXPECT_EQ(settings.m_normal, "");
  EXPECT_EQ(settings.m_happy, "");

  settings.m_normal = "n.bmp";
  EXPECT_FALSE(settings.HasOddPictureSet());
  settings.m_sad = "s.bmp";
  settings.m_sel = 4;
  settings.ClearPictures();
  EXPECT_EQ(settings.m_normal, "");
  EXPECT_EQ(settings.m_sad, "");
  EXPECT_EQ(settings.m_sel, 1);
  EXPECT_TRUE(settings.HasOddPictureSet());
}

TEST_F(SettingsTest, DefaultPlaceTitleFollowsTheConnection) {
  settings.m_nickName = "Bob";
  EXPECT_EQ(settings.GetDefaultPlaceTitle(), "Bob's  tour");
  host.connected = true;
  host.ownName = "Robert";
  EXPECT_EQ(settings.GetDefaultPlaceTitle(), "Robert's  tour");
  host.ownName.clear();
  EXPECT_EQ(settings.GetDefaultPlaceTitle(), "");
}

TEST_F(SettingsTest, PlacementSlotsListPathsAndChatHeight) {
  settings.Load(false);
  settings.SetPlacement(10, 20, 800, 600);
  EXPECT_EQ(settings.m_mainXPos, 10);
  EXPECT_EQ(settings.m_mainYPos, 20);
  EXPECT_EQ(settings.m_winWidth, 800);
  EXPECT_EQ(settings.m_winHeight, 600);
  settings.SetSlotPictures("a", "b", "c", "d");
  EXPECT_EQ(settings.m_slotPictures[3], "d");
  settings.m_listFile.clear();
  settings.m_favorite.clear();
  settings.SetDefaultServerListPath();
  settings.SetDefaultPlacesListPath();
  EXPECT_EQ(settings.m_listFile, "C:\\Zanthe\\zrserver.hst");
  EXPECT_EQ(settings.m_favorite, "C:\\Zanthe\\zrplaces.txt");
  settings.MeasureChatHeight(2, 23, 5, 600, 560);
  EXPECT_EQ(settings.m_chatHeight, 2 * 2 + 23 + 5 + 40 + 8);
  settings.SetFileName("C:\\Zanthe\\zrplaces.ini");
  EXPECT_EQ(settings.GetFileName(), "C:\\Zanthe\\zrplaces.ini");
  EXPECT_EQ(settings.m_fileNameSet, 1);
}

struct TipCase {
  const char* list;
  bool show;
};

TEST(ZrSettingsTips, TheFirstEntryNumberedOneDecides) {
  const TipCase cases[] = {
      {"2,N;1,Y;", true},
      {"1,Y", false},
      {"1,Y;", true},
      {"1,N;1,Y;", false},
      {"1,N3;2,Y16;", false},
      {"1,Y3;2,N16;", true},
      {"11,Y;", false},
      {"", false},
      {";;,;x;1;1,;", false},
      {"abc,Y;1,Y;", true},
      {"01,Y;", true},
  };
  for (const TipCase& c : cases) {
    EXPECT_EQ(CZrSettings::ParseShowTipAtStart(c.list), c.show) << c.list;
  }
}

TEST_F(SettingsTest, TipListSetsTheShowTipFlagAtLoad) {
  profile.Set("Tips", "LastTipNew", "2,N;1,Y;");
  settings.Load(false);
  EXPECT_EQ(settings.m_showTipAtStart, 1);
  profile.Set("Tips", "LastTipNew", "1,Y");
  settings.Load(false);
  EXPECT_EQ(settings.m_showTipAtStart, 0);
}

}  // namespace

namespace {

// A number written by key while the program runs survives the full save at
// exit, which writes every kept key from memory.
TEST_F(SettingsTest, ANumberWrittenByKeyIsKeptByTheNextSave) {
  settings.Load(false);
  settings.WriteInt("Settings", "MyselfXPos", 3100);
  settings.WriteInt("Settings", "NotAKeptKey", 7);
  settings.Save(false);
  EXPECT_EQ(profile.Get("Settings", "MyselfXPos"), "3100");
  EXPECT_EQ(settings.m_myselfXPos, 3100);
  EXPECT_EQ(profile.Get("Settings", "NotAKeptKey"), "7");
}

}  // namespace
