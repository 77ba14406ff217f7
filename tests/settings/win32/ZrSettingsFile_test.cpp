// The settings file for real: private-profile files in a temporary folder,
// written and read back through the settings, hand-edited files with bad
// values, the program's paths and the resource library's values.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "FakeSettings.h"
#include "ZrPrivateProfile.h"
#include "ZrProgramPaths.h"
#include "ZrSettings.h"
#include "ZrWinSettingsHost.h"

namespace {

std::string TempFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(sizeof base, base);
  char unique[MAX_PATH] = {};
  GetTempFileNameA(base, "zrs", 0, unique);
  DeleteFileA(unique);
  CreateDirectoryA(unique, nullptr);
  return std::string(unique) + "\\";
}

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.folder = TempFolder();
    file = host.folder + "zrplaces.ini";
    host.width = GetSystemMetrics(SM_CXSCREEN);
    host.height = GetSystemMetrics(SM_CYSCREEN);
  }
  void TearDown() override {
    DeleteFileA(file.c_str());
    RemoveDirectoryA(host.folder.c_str());
  }
  void Write(const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
  }
  std::string Text() {
    std::ifstream in(file, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
  }

  CZrPrivateProfile profile;
  FakeHost host;
  std::string file;
};

// Gives every saved member a value other than its default.
void SetEverything(CZrSettings& s, const std::string& folder) {
  s.m_faceCacheSize = 120;
  s.m_imagesAutoLoad = 0;
  s.m_alwaysOnTop = 1;
  s.m_mainXPos = 12;
  s.m_mainYPos = 34;
  s.m_winWidth = 640;
  s.m_winHeight = 480;
  s.m_startUpDone = 1;
  s.m_balloonTime = 2;
  s.m_radioApp = "radio.exe";
  s.m_voiceEnabled = 0;
  s.m_bigHeadGallery = 1;
  s.m_viewBigHeads = 1;
  s.m_ignoreAllIMs = 1;
  s.m_awayMsg = "  Out for lunch  ";
  s.m_bigFaces = 1;
  s.m_imInternal = 1;
  s.m_layout = "30,70,40,20";
  s.m_layoutMode = 2;
  s.m_autoLanding = 0;
  s.m_myselfXPos = 100;
  s.m_myselfYPos = 200;
  s.m_pictures = folder + "Stock\\";
  s.m_personPict = "E:\\Gallery\\";
  s.m_tours = folder + "MyTours\\";
  s.m_browser = "C:\\Browsers\\view.exe";
  s.m_listFile = folder + "servers.hst";
  s.m_homeServer = "chat.other.example";
  s.m_serverTitle = "Other";
  s.m_homeURL = "http://www.other.example/";
  s.m_favorite = folder + "fav.txt";
  s.m_tourCapacity = 11;
  s.m_tourName = "\"Night\" tour";
  s.m_tour2Picture = "two.bmp";
  s.m_tour11Picture = "eleven.bmp";
  s.m_audioEnabled = 1;
  s.m_audioDirectory = folder + "Audio\\";
  s.m_audioExeName = "audio.exe";
  s.m_lastTipNew = "1,N3;2,Y16;";
  s.m_showExitDialog = 0;
  s.m_maxObservers = 33;
  s.m_gestureSounds = 0;
  s.m_gestureDirectory = folder + "Moves\\";
  s.m_enableSendingFiles = 0;
  s.m_resources = "ZrOther.dll";
  s.m_nickName = "Ann";
  s.m_name = "Ann Example";
  s.m_address = "Somewhere 1";
  s.m_email = "ann@alpha.example";
  s.m_normal = "n.bmp";
  s.m_happy = "h.bmp";
  s.m_angry = "a.bmp";
  s.m_sad = "s.bmp";
  s.m_sel = 4;
  s.m_gender = "'F'";
  s.m_hobbies = std::string(700, 'h');
  s.m_occupation = "Pilot";
  s.m_personalQuote = "\"Up\"";
}

void ExpectSameSaved(const CZrSettings& a, const CZrSettings& b) {
#define ZR_SAME(member) EXPECT_EQ(a.member, b.member) << #member
  ZR_SAME(m_faceCacheSize); ZR_SAME(m_imagesAutoLoad); ZR_SAME(m_alwaysOnTop);
  ZR_SAME(m_mainXPos); ZR_SAME(m_mainYPos); ZR_SAME(m_winWidth); ZR_SAME(m_winHeight);
  ZR_SAME(m_startUpDone); ZR_SAME(m_balloonTime); ZR_SAME(m_radioApp); ZR_SAME(m_voiceEnabled);
  ZR_SAME(m_bigHeadGallery); ZR_SAME(m_viewBigHeads); ZR_SAME(m_ignoreAllIMs); ZR_SAME(m_awayMsg);
  ZR_SAME(m_bigFaces); ZR_SAME(m_imInternal); ZR_SAME(m_layout); ZR_SAME(m_layoutMode);
  ZR_SAME(m_autoLanding); ZR_SAME(m_myselfXPos); ZR_SAME(m_myselfYPos); ZR_SAME(m_pictures);
  ZR_SAME(m_personPict); ZR_SAME(m_tours); ZR_SAME(m_browser); ZR_SAME(m_listFile);
  ZR_SAME(m_homeServer); ZR_SAME(m_serverTitle); ZR_SAME(m_homeURL); ZR_SAME(m_favorite);
  ZR_SAME(m_tourCapacity); ZR_SAME(m_tourName); ZR_SAME(m_tour2Picture); ZR_SAME(m_tour11Picture);
  ZR_SAME(m_audioEnabled); ZR_SAME(m_audioDirectory); ZR_SAME(m_audioExeName);
  ZR_SAME(m_lastTipNew); ZR_SAME(m_showExitDialog); ZR_SAME(m_maxObservers);
  ZR_SAME(m_gestureSounds); ZR_SAME(m_gestureDirectory); ZR_SAME(m_enableSendingFiles);
  ZR_SAME(m_resources); ZR_SAME(m_nickName); ZR_SAME(m_name); ZR_SAME(m_address);
  ZR_SAME(m_email); ZR_SAME(m_normal); ZR_SAME(m_happy); ZR_SAME(m_angry); ZR_SAME(m_sad);
  ZR_SAME(m_sel); ZR_SAME(m_gender); ZR_SAME(m_hobbies); ZR_SAME(m_occupation);
  ZR_SAME(m_personalQuote);
#undef ZR_SAME
}

TEST_F(SettingsFileTest, EveryKeyWrittenReadsBackTheSame) {
  host.community = "Alpha";
  CZrSettings saved(profile, host);
  saved.SetFileName(file);
  saved.Load(true);
  SetEverything(saved, host.folder);
  saved.Save(true);

  CZrSettings loaded(profile, host);
  loaded.SetFileName(file);
  loaded.Load(true);
  ExpectSameSaved(saved, loaded);

  const std::string text = Text();
  EXPECT_NE(text.find("[Identity-Alpha]"), std::string::npos);
  EXPECT_NE(text.find("Pictures=Stock\\"), std::string::npos) << "relative in the file";
  EXPECT_NE(text.find("Personal Quote="), std::string::npos);
  EXPECT_LT(text.find("RadioApp="), text.find("WinWidth="));
  EXPECT_LT(text.find("WinHeight="), text.find("VoiceEnabled="));
}

TEST_F(SettingsFileTest, AMissingFileGivesTheDefaults) {
  CZrSettings settings(profile, host);
  settings.SetFileName(file);
  settings.Load(true);
  EXPECT_EQ(settings.m_faceCacheSize, 200);
  EXPECT_EQ(settings.m_myselfXPos, 2000);
  EXPECT_EQ(settings.m_maxObservers, 10);
  EXPECT_EQ(settings.m_awayMsg, "Not accepting IMs at this time.");
  EXPECT_EQ(settings.m_homeServer, "chat.lumora.example");
  EXPECT_EQ(settings.m_serverTitle, "chat.lumora.example");
  EXPECT_EQ(settings.m_pictures, host.folder + "Exts\\StockAvatars\\");
  EXPECT_EQ(settings.m_resources, "ZrRes.dll");
  EXPECT_EQ(settings.m_msieBuildMin, 1155);
  EXPECT_EQ(settings.m_winWidth, -1);
  EXPECT_EQ(settings.m_nickName, "");
  EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << "loading writes nothing";
}

TEST_F(SettingsFileTest, AHandEditedFileWithBadValues) {
  const std::string width = std::to_string(host.width);
  Write("[Settings]\r\n"
        "FaceCacheSize = 999\r\n"
        "MainXPos=" + width + "\r\n"
        "MainYPos=-20\r\n"
        "MyselfYPos=10000\r\n"
        "MyselfXPos=12abc\r\n"
        "BalloonTime=abc\r\n"
        "AwayMsg=\r\n"
        "[Query]\r\nMaxObservers=0\r\n"
        "[Windows]\r\nLayoutMode=9\r\n"
        "[Browser]\r\nMSIE_BUILD_MAX=70000\r\nMSIE_MAJOR_MIN=-1\r\n"
        "[Files]\r\nPictures=D:\\Stock\\\r\n"
        "[Identity-]\r\nSel=17\r\nNickName=Zed\r\n"
        "garbage line without equals\r\n");
  CZrSettings settings(profile, host);
  settings.SetFileName(file);
  settings.Load(true);
  EXPECT_EQ(settings.m_faceCacheSize, 250);
  EXPECT_EQ(settings.m_mainXPos, 0);
  EXPECT_EQ(settings.m_mainYPos, 0);
  EXPECT_EQ(settings.m_myselfYPos, 2000);
  EXPECT_EQ(settings.m_myselfXPos, 12);
  EXPECT_EQ(settings.m_balloonTime, 0);
  EXPECT_EQ(settings.m_awayMsg, "Not accepting IMs at this time.");
  EXPECT_EQ(settings.m_maxObservers, 1);
  EXPECT_EQ(settings.m_layoutMode, 0);
  EXPECT_EQ(settings.m_msieBuildMax, 10000);
  EXPECT_EQ(settings.m_msieMajorMin, 3);
  EXPECT_EQ(settings.m_pictures, "D:\\Stock\\");
  EXPECT_EQ(settings.m_sel, 1);
  EXPECT_EQ(settings.m_nickName, "Zed");
}

TEST_F(SettingsFileTest, LongValuesSurviveALoadAndSave) {
  const std::string layout(1000, '7');
  Write("[Windows]\r\nLayout=" + layout + "\r\n");
  CZrSettings settings(profile, host);
  settings.SetFileName(file);
  settings.Load(false);
  EXPECT_EQ(settings.m_layout, layout);
  settings.Save(false);
  settings.m_layout.clear();
  settings.Load(false);
  EXPECT_EQ(settings.m_layout, layout);
}

TEST_F(SettingsFileTest, ANicknameWithLineBreaksCannotAddKeysOrSections) {
  host.community = "Alpha";
  CZrSettings settings(profile, host);
  settings.SetFileName(file);
  settings.Load(true);
  settings.m_nickName = "Bob\r\n[DLLs]\r\nResources=evil.dll";
  settings.Save(true);
  settings.Load(true);
  EXPECT_EQ(settings.m_resources, "ZrRes.dll");
  EXPECT_EQ(settings.m_nickName, "Bob  [DLLs]  Resources=evil.dll");
}

TEST_F(SettingsFileTest, HomePageBackToTheDefaultIsRemovedFromTheFile) {
  CZrSettings settings(profile, host);
  settings.SetFileName(file);
  settings.Load(false);
  settings.m_homeURL = "http://mine.example/";
  settings.Save(false);
  EXPECT_NE(Text().find("HomeURL=http://mine.example/"), std::string::npos);
  settings.m_homeURL = "home.lumora.example";
  settings.Save(false);
  EXPECT_EQ(Text().find("HomeURL"), std::string::npos);
}

TEST_F(SettingsFileTest, IdentitySectionsPerCommunity) {
  CZrSettings settings(profile, host);
  settings.SetFileName(file);
  EXPECT_FALSE(settings.HasIdentitySection("Beta"));
  settings.SetIdentityNick("Bea", "Beta");
  EXPECT_TRUE(settings.HasIdentitySection("Beta"));
  EXPECT_FALSE(settings.HasIdentitySection("Gamma"));
  EXPECT_EQ(settings.GetIdentityNick("Beta"), "Bea");
}

TEST(ZrProgramPaths, FolderAndBasePathOfTheRunningProgram) {
  const std::string module = GetModuleFilePath(nullptr);
  ASSERT_FALSE(module.empty());
  const std::string folder = GetProgramDir();
  const std::string base = GetProgramBasePath();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(module.compare(0, folder.size(), folder), 0);
  EXPECT_EQ(base + ".exe", module);
  EXPECT_EQ(base.substr(folder.size()), "settings_tests");
}

TEST(ZrWinSettingsHost, ValuesFromTheResourceLibraryAndTheDesktop) {
  HMODULE library = LoadLibraryA(ZR_RES_PRODUCT_DLL);
  ASSERT_NE(library, nullptr);
  auto productString = reinterpret_cast<CZrWinSettingsHost::ProductStringFunction>(
      GetProcAddress(library, "GetString"));
  auto sendFile = reinterpret_cast<CZrWinSettingsHost::SendFileFunction>(
      GetProcAddress(library, "GetSendFile"));
  ASSERT_NE(productString, nullptr);
  ASSERT_NE(sendFile, nullptr);
  CZrWinSettingsHost host(productString, sendFile);
  host.SetResourceModule(library);
  EXPECT_EQ(host.ProductString(11), "chat.lumora.example");
  EXPECT_EQ(host.ProductString(17), "") << "past the table the buffer stays empty";
  EXPECT_EQ(host.Text(493), "Not accepting IMs at this time.");
  EXPECT_EQ(host.Text(528), "'s ");
  EXPECT_TRUE(host.CanSendFiles());
  EXPECT_EQ(host.ScreenWidth(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(host.ScreenHeight(), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(host.ProgramFolder(), GetProgramDir());
  std::string name;
  EXPECT_FALSE(host.ConnectedOwnName(name));
  host.SetCommunitySource([] { return std::string("Alpha"); });
  host.SetOwnNameSource([](std::string& own) {
    own = "Robert";
    return true;
  });
  EXPECT_EQ(host.CommunityName(), "Alpha");
  EXPECT_TRUE(host.ConnectedOwnName(name));
  EXPECT_EQ(name, "Robert");

  // The settings with this host read the library's defaults.
  CZrPrivateProfile profile;
  CZrSettings settings(profile, host);
  settings.SetFileName(GetProgramDir() + "no-such-settings-file.ini");
  settings.Load(false);
  EXPECT_EQ(settings.m_homeServer, "chat.lumora.example");
  EXPECT_EQ(settings.m_awayMsg, "Not accepting IMs at this time.");
  EXPECT_EQ(settings.m_tourName, "Robert's  tour");
  FreeLibrary(library);
}

}  // namespace
