// The settings file: one private-profile file beside the program that holds
// every user-visible setting, and the current user's identity record, kept
// per community in section "Identity-<community>". Other code reads and
// changes the members directly and calls Save afterwards.
#pragma once

#include <cstdint>
#include <string>

#include "ZrProfile.h"
#include "ZrSettingsHost.h"

class CZrSettings {
 public:
  // Limits applied at load.
  static constexpr int32_t kFaceCacheMax = 250;
  static constexpr int32_t kAvatarPosMax = 9999;
  static constexpr int32_t kAvatarPosDefault = 2000;
  static constexpr int32_t kObserversMin = 1;
  static constexpr int32_t kObserversMax = 50;
  static constexpr int32_t kLayoutModeMax = 3;
  static constexpr int32_t kMoodCount = 4;

  CZrSettings(IZrProfile& profile, IZrSettingsHost& host);

  void SetFileName(const std::string& name);
  std::string GetFileName() const { return m_fileName; }
  const std::string& GetProgramFolder() const { return m_programFolder; }

  // Reads from section + the current section suffix; an empty value yields
  // the default.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue);
  int32_t ReadInt(const std::string& section, const std::string& key, int32_t defaultValue);
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInt(const std::string& section, const std::string& key, int32_t value);

  // Every setting, then with withIdentity the identity of the current
  // community.
  void Load(bool withIdentity);
  void Save(bool withIdentity);
  void LoadAll();
  void SaveAll();
  void LoadIdentity();
  void SaveIdentity();

  bool HasIdentitySection(const std::string& community);
  std::string GetIdentityNick(const std::string& community);
  void SetIdentityNick(const std::string& nick, const std::string& community);

  // Mood pictures: Sel 1 Normal, 2 Happy, 3 Angry, 4 Sad.
  std::string GetSelectedPicture();
  void ResetSelectedPicture();
  void ClearPictures();
  bool HasOddPictureSet() const;

  void SetPlacement(int32_t x, int32_t y, int32_t width, int32_t height);
  void SetSlotPictures(const std::string& first, const std::string& second,
                       const std::string& third, const std::string& fourth);
  void SetDefaultServerListPath();
  // The program folder + "zrserver.hst".
  std::string GetDefaultServerListPath() const;
  void SetDefaultPlacesListPath();
  // The chat area's height from the chat tab container's measures.
  void MeasureChatHeight(int32_t borderSize, int32_t tabStripHeight, int32_t extraHeight,
                         int32_t frameWindowHeight, int32_t frameClientHeight);
  // The own name + "'s " + " " + "tour"; empty when there is no own name.
  std::string GetDefaultPlaceTitle();

  // Whether a tip list ("<number>,<letter>;" entries) asks for the tip at
  // start: the letter of the first entry numbered 1 is "Y".
  static bool ParseShowTipAtStart(const std::string& tipList);

  // Section "Settings".
  int32_t m_faceCacheSize = 0;
  int32_t m_imagesAutoLoad = 0;
  int32_t m_alwaysOnTop = 0;
  int32_t m_mainXPos = 0;
  int32_t m_mainYPos = 0;
  int32_t m_winWidth = 0;
  int32_t m_winHeight = 0;
  int32_t m_startUpDone = 0;
  int32_t m_balloonTime = 0;
  std::string m_radioApp;
  int32_t m_voiceEnabled = 0;
  int32_t m_bigHeadGallery = 0;
  int32_t m_viewBigHeads = 0;
  int32_t m_isDebug = 0;
  int32_t m_ignoreAllIMs = 0;
  std::string m_awayMsg;
  // Section "Windows".
  int32_t m_bigFaces = 0;
  int32_t m_imInternal = 0;
  std::string m_layout;
  int32_t m_layoutMode = 0;
  // Section "Settings" again.
  int32_t m_autoLanding = 0;
  int32_t m_myselfXPos = 0;
  int32_t m_myselfYPos = 0;
  // Section "Files".
  std::string m_pictures;
  std::string m_personPict;
  std::string m_tours;
  std::string m_browser;
  // Section "Community".
  std::string m_listFile;
  std::string m_homeServer;
  std::string m_serverTitle;
  std::string m_mappingFile;
  std::string m_homeURL;
  std::string m_animationURL;
  std::string m_favorite;
  // Section "Tour".
  int32_t m_tourCapacity = 0;
  std::string m_tourName;
  std::string m_tour2Picture;
  std::string m_tour11Picture;
  // Section "Audio".
  int32_t m_audioEnabled = 0;
  std::string m_audioDirectory;
  std::string m_audioExeName;
  std::string m_broadcastDirectory;
  int32_t m_personsNum = 0;
  std::string m_lastTipNew;
  int32_t m_showExitDialog = 0;
  int32_t m_maxObservers = 0;
  int32_t m_gestureSounds = 0;
  std::string m_gestureDirectory;
  std::string m_cacheDirectory;
  int32_t m_lastTab = 0;
  int32_t m_enableSendingFiles = 0;
  int32_t m_netscape = 0;
  std::string m_resources;
  uint16_t m_msieMajorMin = 0;
  uint16_t m_msieMajorMax = 0;
  uint16_t m_msieMinorMin = 0;
  uint16_t m_msieMinorMax = 0;
  uint16_t m_msieBuildMin = 0;
  uint16_t m_msieBuildMax = 0;
  uint16_t m_netscapeMajorMin = 0;
  uint16_t m_netscapeMajorMax = 0;

  // Not kept in the file.
  int32_t m_idleLimit = 0;  // minutes; the place's value once connected
  int32_t m_lastTabExtra = 0;
  int32_t m_layoutTop = 0;
  int32_t m_layoutBottom = 0;
  int32_t m_layoutSide = 0;
  int32_t m_layoutChat = 0;
  int32_t m_chatHeight = 0;
  int32_t m_tourNameIsDefault = 0;
  int32_t m_showTipAtStart = 0;

  // Identity record.
  std::string m_nickName;
  std::string m_name;
  std::string m_address;
  std::string m_email;
  std::string m_normal;
  std::string m_happy;
  std::string m_angry;
  std::string m_sad;
  int32_t m_sel = 1;
  std::string m_gender;
  std::string m_hobbies;
  std::string m_occupation;
  std::string m_personalQuote;

  // Set with SetSlotPictures; not kept in the file.
  std::string m_slotPictures[4];

  int32_t m_fileNameSet = 0;

 private:
  struct Key;
  static const Key kKeys[];

  void LoadKey(const Key& key);
  void SaveKey(const Key& key);
  bool IsKeySaved(const Key& key);
  std::string DefaultText(const Key& key);
  int32_t CheckedInt(const Key& key, int32_t value);
  std::string LoadedPath(const std::string& value) const;
  std::string SavedPath(const std::string& value) const;
  std::string IdentitySection(const std::string& community) const;
  std::string* SelectedPicture();

  IZrProfile& m_profile;
  IZrSettingsHost& m_host;
  std::string m_programFolder;
  std::string m_fileName;
  std::string m_sectionSuffix;
  // The default tour title that the loaded Name was equal to.
  std::string m_loadedDefaultTourName;
};
