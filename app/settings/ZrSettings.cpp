#include "ZrSettings.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// Numbers of the product string table and of the string table.
constexpr uint32_t kHomePageString = 10;
constexpr uint32_t kChatHostString = 11;
constexpr uint32_t kBrandPageString = 13;
constexpr uint32_t kAwayMessageText = 493;
constexpr uint32_t kPossessiveText = 528;
constexpr uint32_t kTourText = 444;

constexpr char kIdentitySection[] = "Identity";
constexpr char kNoName[] = "NoName";

// Windows file names ignore the case of ASCII letters.
bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x < 128 && y < 128 ? std::tolower(x) != std::tolower(y) : x != y) return false;
  }
  return true;
}

}  // namespace

struct CZrSettings::Key {
  enum Type { kInt, kText, kWord };
  enum DefaultFrom { kLiteral, kProduct, kResourceText, kHomeServer, kTourTitle };
  enum Rule {
    kNoRule,
    kRelative,
    kFaceCache,
    kScreenX,
    kScreenY,
    kAvatarPos,
    kObservers,
    kLayoutMode,
    kTourName,
    kTipList,
    kSendFiles
  };
  enum Saved { kYes, kNo, kUnlessDefault, kUnlessDefaultTour, kIfAudio, kIfSendFiles };

  const char* section;
  const char* name;
  Type type;
  int32_t CZrSettings::*number;
  std::string CZrSettings::*text;
  uint16_t CZrSettings::*word;
  DefaultFrom from;
  const char* defaultText;
  int32_t defaultNumber;  // or the string number of the default text
  Rule rule;
  Saved saved;
};

// Integer, text and 16-bit keys of the table below.
#define ZR_INT(section, name, member, value, rule, saved)                                  \
  {section, name, Key::kInt, &CZrSettings::member, nullptr, nullptr, Key::kLiteral, "", \
   value, Key::rule, Key::saved}
#define ZR_TEXT(section, name, member, from, text, id, rule, saved)                         \
  {section, name, Key::kText, nullptr, &CZrSettings::member, nullptr, Key::from, text, id, \
   Key::rule, Key::saved}
#define ZR_WORD(name, member, value)                                                       \
  {"Browser", name, Key::kWord, nullptr, nullptr, &CZrSettings::member, Key::kLiteral, "", \
   value, Key::kNoRule, Key::kNo}

// Every key of the file in the order of reading.
const CZrSettings::Key CZrSettings::kKeys[] = {
    ZR_INT("Settings", "FaceCacheSize", m_faceCacheSize, 200, kFaceCache, kYes),
    ZR_INT("Settings", "ImagesAutoLoad", m_imagesAutoLoad, 1, kNoRule, kYes),
    ZR_INT("Settings", "AlwaysOnTop", m_alwaysOnTop, 0, kNoRule, kYes),
    ZR_INT("Settings", "MainXPos", m_mainXPos, -1, kScreenX, kYes),
    ZR_INT("Settings", "MainYPos", m_mainYPos, -1, kScreenY, kYes),
    ZR_INT("Settings", "WinWidth", m_winWidth, -1, kNoRule, kYes),
    ZR_INT("Settings", "WinHeight", m_winHeight, -1, kNoRule, kYes),
    ZR_INT("Settings", "StartUpDone", m_startUpDone, 0, kNoRule, kYes),
    ZR_INT("Settings", "BalloonTime", m_balloonTime, 1, kNoRule, kYes),
    ZR_TEXT("Settings", "RadioApp", m_radioApp, kLiteral, "", 0, kNoRule, kYes),
    ZR_INT("Settings", "VoiceEnabled", m_voiceEnabled, 1, kNoRule, kYes),
    ZR_INT("Settings", "BigHeadGallery", m_bigHeadGallery, 0, kNoRule, kYes),
    ZR_INT("Settings", "ViewBigHeads", m_viewBigHeads, 0, kNoRule, kYes),
    ZR_INT("Settings", "IsDebug", m_isDebug, 0, kNoRule, kNo),
    ZR_INT("Settings", "IgnoreAllIMs", m_ignoreAllIMs, 0, kNoRule, kYes),
    ZR_TEXT("Settings", "AwayMsg", m_awayMsg, kResourceText, "", kAwayMessageText, kNoRule,
            kYes),
    ZR_INT("Windows", "BigFaces", m_bigFaces, 0, kNoRule, kYes),
    ZR_INT("Windows", "ImInternal", m_imInternal, 0, kNoRule, kYes),
    ZR_TEXT("Windows", "Layout", m_layout, kLiteral, "", 0, kNoRule, kYes),
    ZR_INT("Windows", "LayoutMode", m_layoutMode, 0, kLayoutMode, kYes),
    ZR_INT("Settings", "AutoLanding", m_autoLanding, 1, kNoRule, kYes),
    ZR_INT("Settings", "MyselfXPos", m_myselfXPos, kAvatarPosDefault, kAvatarPos, kYes),
    ZR_INT("Settings", "MyselfYPos", m_myselfYPos, kAvatarPosDefault, kAvatarPos, kYes),
    ZR_TEXT("Files", "Pictures", m_pictures, kLiteral, "Exts\\StockAvatars\\", 0, kRelative,
            kYes),
    ZR_TEXT("Files", "PersonPict", m_personPict, kLiteral, "Exts\\Gallery\\", 0, kRelative,
            kYes),
    ZR_TEXT("Files", "Tours", m_tours, kLiteral, "Exts\\Tours\\", 0, kRelative, kYes),
    ZR_TEXT("Files", "Browser", m_browser, kLiteral, "", 0, kNoRule, kYes),
    ZR_TEXT("Community", "ListFile", m_listFile, kLiteral, "zrserver.hst", 0, kRelative, kYes),
    ZR_TEXT("Community", "HomeServer", m_homeServer, kProduct, "", kChatHostString, kNoRule,
            kYes),
    ZR_TEXT("Community", "ServerTitle", m_serverTitle, kHomeServer, "", 0, kNoRule, kYes),
    ZR_TEXT("Community", "MappingFile", m_mappingFile, kLiteral, "", 0, kNoRule, kNo),
    ZR_TEXT("Community", "HomeURL", m_homeURL, kProduct, "", kHomePageString, kNoRule,
            kUnlessDefault),
    ZR_TEXT("Community", "AnimationURL", m_animationURL, kProduct, "", kBrandPageString, kNoRule,
            kNo),
    ZR_TEXT("Files", "Favorite", m_favorite, kLiteral, "zrplaces.txt", 0, kRelative, kYes),
    ZR_INT("Tour", "Capacity", m_tourCapacity, 2, kNoRule, kYes),
    ZR_TEXT("Tour", "Name", m_tourName, kTourTitle, "", 0, kTourName, kUnlessDefaultTour),
    ZR_TEXT("Tour", "2Picture", m_tour2Picture, kLiteral, "", 0, kNoRule, kYes),
    ZR_TEXT("Tour", "11Picture", m_tour11Picture, kLiteral, "", 0, kNoRule, kYes),
    ZR_INT("Audio", "Enabled", m_audioEnabled, 0, kNoRule, kYes),
    ZR_TEXT("Audio", "Directory", m_audioDirectory, kLiteral, "Exts\\VODOdivi\\", 0, kRelative,
            kIfAudio),
    ZR_TEXT("Audio", "ExeName", m_audioExeName, kLiteral, "vododivi.exe", 0, kNoRule, kIfAudio),
    ZR_TEXT("Broadcast", "Directory", m_broadcastDirectory, kLiteral, "c:\\", 0, kNoRule, kNo),
    ZR_INT("Persons", "Num", m_personsNum, 0, kNoRule, kNo),
    ZR_TEXT("Tips", "LastTipNew", m_lastTipNew, kLiteral, "", 0, kTipList, kYes),
    ZR_INT("Exit", "ShowExitDialog", m_showExitDialog, 1, kNoRule, kYes),
    ZR_INT("Query", "MaxObservers", m_maxObservers, 10, kObservers, kYes),
    ZR_INT("Gesture", "Sounds", m_gestureSounds, 1, kNoRule, kYes),
    ZR_TEXT("Gesture", "Directory", m_gestureDirectory, kLiteral, "Exts\\Gestures\\", 0,
            kRelative, kYes),
    ZR_TEXT("Cache", "Directory", m_cacheDirectory, kLiteral, "Cache\\", 0, kRelative, kNo),
    ZR_INT("Places", "LastTab", m_lastTab, 0, kNoRule, kNo),
    ZR_INT("SendFiles", "EnableSendingFiles", m_enableSendingFiles, 1, kSendFiles,
           kIfSendFiles),
    ZR_INT("Browser", "Netscape", m_netscape, 0, kNoRule, kNo),
    ZR_TEXT("DLLs", "Resources", m_resources, kLiteral, "ZrRes.dll", 0, kNoRule, kYes),
    ZR_WORD("MSIE_MAJOR_MIN", m_msieMajorMin, 3),
    ZR_WORD("MSIE_MAJOR_MAX", m_msieMajorMax, 5),
    ZR_WORD("MSIE_MINOR_MIN", m_msieMinorMin, 70),
    ZR_WORD("MSIE_MINOR_MAX", m_msieMinorMax, 0),
    ZR_WORD("MSIE_BUILD_MIN", m_msieBuildMin, 1155),
    ZR_WORD("MSIE_BUILD_MAX", m_msieBuildMax, 10000),
    ZR_WORD("Netscape_MAJOR_MIN", m_netscapeMajorMin, 3),
    ZR_WORD("Netscape_MAJOR_MAX", m_netscapeMajorMax, 4),
};

#undef ZR_INT
#undef ZR_TEXT
#undef ZR_WORD

CZrSettings::CZrSettings(IZrProfile& profile, IZrSettingsHost& host)
    : m_profile(profile), m_host(host) {}

void CZrSettings::SetFileName(const std::string& name) {
  m_fileName = name;
  m_fileNameSet = 1;
}

std::string CZrSettings::ReadString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue) {
  std::string value = m_profile.ReadString(m_fileName, section + m_sectionSuffix, key);
  return value.empty() ? defaultValue : value;
}

int32_t CZrSettings::ReadInt(const std::string& section, const std::string& key,
                             int32_t defaultValue) {
  return m_profile.ReadInt(m_fileName, section + m_sectionSuffix, key, defaultValue);
}

void CZrSettings::WriteString(const std::string& section, const std::string& key,
                              const std::string& value) {
  m_profile.WriteString(m_fileName, section + m_sectionSuffix, key, value);
}

// A key that the settings object keeps takes the value in memory too, so
// that the next save writes it again instead of the old value.
void CZrSettings::WriteInt(const std::string& section, const std::string& key, int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%" PRId32, value);
  WriteString(section, key, text);
  for (const Key& known : kKeys) {
    if (known.type == Key::kInt && section == known.section && key == known.name)
      this->*known.number = value;
  }
}

void CZrSettings::Load(bool withIdentity) {
  m_programFolder = m_host.ProgramFolder();
  LoadAll();
  if (!withIdentity) return;
  m_sectionSuffix = "-" + m_host.CommunityName();
  LoadIdentity();
  m_sectionSuffix.clear();
}

void CZrSettings::Save(bool withIdentity) {
  m_programFolder = m_host.ProgramFolder();
  m_sectionSuffix.clear();
  SaveAll();
  if (!withIdentity) return;
  // The identity goes to the section it is read from, "Identity-" even for
  // an empty community name.
  m_sectionSuffix = "-" + m_host.CommunityName();
  SaveIdentity();
  m_sectionSuffix.clear();
}

void CZrSettings::LoadAll() {
  for (const Key& key : kKeys) LoadKey(key);
  m_idleLimit = 1;
  m_lastTabExtra = 0;
  m_layoutTop = 60;
  m_layoutBottom = 20;
  m_layoutSide = 50;
  m_layoutChat = 75;
}

void CZrSettings::SaveAll() {
  // The window size follows RadioApp in the file.
  for (const Key& key : kKeys) {
    const std::string name = key.name;
    if (name == "WinWidth" || name == "WinHeight") continue;
    SaveKey(key);
    if (name != "RadioApp") continue;
    for (const Key& size : kKeys) {
      const std::string sizeName = size.name;
      if (sizeName == "WinWidth" || sizeName == "WinHeight") SaveKey(size);
    }
  }
}

void CZrSettings::LoadKey(const Key& key) {
  switch (key.type) {
    case Key::kInt:
      if (key.rule == Key::kSendFiles && !m_host.CanSendFiles()) {
        this->*key.number = 0;
      } else {
        this->*key.number = CheckedInt(key, ReadInt(key.section, key.name, key.defaultNumber));
      }
      break;
    case Key::kWord: {
      const int32_t value = ReadInt(key.section, key.name, key.defaultNumber);
      // A number outside the 16-bit range would wrap; it counts as unset.
      const bool fits = value >= 0 && value <= std::numeric_limits<uint16_t>::max();
      this->*key.word = static_cast<uint16_t>(fits ? value : key.defaultNumber);
      break;
    }
    case Key::kText: {
      const std::string defaultValue = DefaultText(key);
      std::string value = ReadString(key.section, key.name, defaultValue);
      if (key.rule == Key::kRelative) value = LoadedPath(value);
      if (key.rule == Key::kTourName) {
        m_tourNameIsDefault = value == defaultValue ? 1 : 0;
        m_loadedDefaultTourName = m_tourNameIsDefault ? value : std::string();
      }
      if (key.rule == Key::kTipList) m_showTipAtStart = ParseShowTipAtStart(value) ? 1 : 0;
      this->*key.text = value;
      break;
    }
  }
}

void CZrSettings::SaveKey(const Key& key) {
  if (key.saved == Key::kUnlessDefault && this->*key.text == DefaultText(key)) {
    // Removing a value that was set before makes the default hold again.
    m_profile.DeleteKey(m_fileName, key.section + m_sectionSuffix, key.name);
    return;
  }
  if (!IsKeySaved(key)) return;
  switch (key.type) {
    case Key::kInt:
      WriteInt(key.section, key.name, this->*key.number);
      break;
    case Key::kWord:
      WriteInt(key.section, key.name, this->*key.word);
      break;
    case Key::kText: {
      const std::string& value = this->*key.text;
      WriteString(key.section, key.name, key.rule == Key::kRelative ? SavedPath(value) : value);
      break;
    }
  }
}

bool CZrSettings::IsKeySaved(const Key& key) {
  switch (key.saved) {
    case Key::kYes:
    case Key::kUnlessDefault:
      return true;
    case Key::kNo:
      return false;
    case Key::kUnlessDefaultTour:
      // A name changed since it was loaded as the default is kept.
      return m_tourNameIsDefault == 0 || m_tourName != m_loadedDefaultTourName;
    case Key::kIfAudio:
      return m_audioEnabled != 0;
    case Key::kIfSendFiles:
      // Without the switch the value was never read; the stored one stays.
      return m_host.CanSendFiles();
  }
  return false;
}

std::string CZrSettings::DefaultText(const Key& key) {
  switch (key.from) {
    case Key::kLiteral:
      return key.defaultText;
    case Key::kProduct:
      return m_host.ProductString(static_cast<uint32_t>(key.defaultNumber));
    case Key::kResourceText:
      return m_host.Text(static_cast<uint32_t>(key.defaultNumber));
    case Key::kHomeServer:
      return m_homeServer;
    case Key::kTourTitle:
      return GetDefaultPlaceTitle();
  }
  return std::string();
}

int32_t CZrSettings::CheckedInt(const Key& key, int32_t value) {
  switch (key.rule) {
    case Key::kFaceCache:
      // A negative size from a hand-edited file counts as no cache.
      return value > kFaceCacheMax ? kFaceCacheMax : value < 0 ? 0 : value;
    case Key::kScreenX:
      return value < 0 || value >= m_host.ScreenWidth() ? 0 : value;
    case Key::kScreenY:
      return value < 0 || value >= m_host.ScreenHeight() ? 0 : value;
    case Key::kAvatarPos:
      return value < 0 || value > kAvatarPosMax ? kAvatarPosDefault : value;
    case Key::kObservers:
      return value < kObserversMin ? kObserversMin : value >= kObserversMax ? kObserversMax : value;
    case Key::kLayoutMode:
      return value < 0 || value > kLayoutModeMax ? 0 : value;
    default:
      return value;
  }
}

std::string CZrSettings::LoadedPath(const std::string& value) const {
  // A value with a drive, or a network path, is absolute already.
  if (value.find(':') != std::string::npos || value.rfind("\\\\", 0) == 0) return value;
  return m_programFolder + value;
}

std::string CZrSettings::SavedPath(const std::string& value) const {
  // Only a leading program folder is cut; a folder met elsewhere in the value
  // is part of another path.
  const size_t length = m_programFolder.size();
  if (length == 0 || value.size() < length || !EqualNoCase(value.substr(0, length), m_programFolder)) {
    return value;
  }
  return value.substr(length);
}

void CZrSettings::LoadIdentity() {
  if (!HasIdentitySection(m_host.CommunityName())) return;
  const std::string section = kIdentitySection;
  m_nickName = ReadString(section, "NickName", m_startUpDone != 0 ? kNoName : "");
  m_name = ReadString(section, "Name", "");
  m_address = ReadString(section, "Address", "");
  m_email = ReadString(section, "Email", "");
  m_normal = ReadString(section, "Normal", "");
  m_happy = ReadString(section, "Happy", "");
  m_angry = ReadString(section, "Angry", "");
  m_sad = ReadString(section, "Sad", "");
  m_sel = ReadInt(section, "Sel", 1);
  // A hand-edited mood outside 1..4 selects the normal picture.
  if (m_sel < 1 || m_sel > kMoodCount) m_sel = 1;
  m_gender = ReadString(section, "Gender", "");
  m_hobbies = ReadString(section, "Hobbies", "");
  m_occupation = ReadString(section, "Occupation", "");
  m_personalQuote = ReadString(section, "Personal Quote", "");
}

void CZrSettings::SaveIdentity() {
  const std::string section = kIdentitySection;
  WriteString(section, "NickName", m_nickName);
  WriteString(section, "Name", m_name);
  WriteString(section, "Address", m_address);
  WriteString(section, "Email", m_email);
  WriteString(section, "Normal", m_normal);
  WriteString(section, "Happy", m_happy);
  WriteString(section, "Angry", m_angry);
  WriteString(section, "Sad", m_sad);
  WriteInt(section, "Sel", m_sel);
  WriteString(section, "Gender", m_gender);
  WriteString(section, "Hobbies", m_hobbies);
  WriteString(section, "Occupation", m_occupation);
  WriteString(section, "Personal Quote", m_personalQuote);
}

std::string CZrSettings::IdentitySection(const std::string& community) const {
  return std::string(kIdentitySection) + "-" + community;
}

bool CZrSettings::HasIdentitySection(const std::string& community) {
  return m_profile.HasSection(m_fileName, IdentitySection(community));
}

std::string CZrSettings::GetIdentityNick(const std::string& community) {
  if (!HasIdentitySection(community)) return m_nickName;
  return m_profile.ReadString(m_fileName, IdentitySection(community), "NickName");
}

void CZrSettings::SetIdentityNick(const std::string& nick, const std::string& community) {
  m_profile.WriteString(m_fileName, IdentitySection(community), "NickName", nick);
}

std::string* CZrSettings::SelectedPicture() {
  switch (m_sel) {
    case 2: return &m_happy;
    case 3: return &m_angry;
    case 4: return &m_sad;
    default: return &m_normal;
  }
}

std::string CZrSettings::GetSelectedPicture() {
  if (m_sel < 1 || m_sel > kMoodCount) m_sel = 1;
  return *SelectedPicture();
}

void CZrSettings::ResetSelectedPicture() {
  if (m_sel == 1) {
    ClearPictures();
    return;
  }
  if (m_sel >= 1 && m_sel <= kMoodCount) SelectedPicture()->clear();
  m_sel = 1;
}

void CZrSettings::ClearPictures() {
  m_normal.clear();
  m_happy.clear();
  m_angry.clear();
  m_sad.clear();
  m_sel = 1;
}

bool CZrSettings::HasOddPictureSet() const {
  return m_normal.empty() || !m_happy.empty() || !m_angry.empty() || !m_sad.empty();
}

void CZrSettings::SetPlacement(int32_t x, int32_t y, int32_t width, int32_t height) {
  m_mainXPos = x;
  m_mainYPos = y;
  m_winWidth = width;
  m_winHeight = height;
}

void CZrSettings::SetSlotPictures(const std::string& first, const std::string& second,
                                  const std::string& third, const std::string& fourth) {
  m_slotPictures[0] = first;
  m_slotPictures[1] = second;
  m_slotPictures[2] = third;
  m_slotPictures[3] = fourth;
}

void CZrSettings::SetDefaultServerListPath() { m_listFile = GetDefaultServerListPath(); }

std::string CZrSettings::GetDefaultServerListPath() const { return m_programFolder + "zrserver.hst"; }

void CZrSettings::SetDefaultPlacesListPath() { m_favorite = m_programFolder + "zrplaces.txt"; }

void CZrSettings::MeasureChatHeight(int32_t borderSize, int32_t tabStripHeight,
                                    int32_t extraHeight, int32_t frameWindowHeight,
                                    int32_t frameClientHeight) {
  m_chatHeight = 2 * borderSize + tabStripHeight + extraHeight +
                 (frameWindowHeight - frameClientHeight) + 8;
}

std::string CZrSettings::GetDefaultPlaceTitle() {
  std::string name;
  if (!m_host.ConnectedOwnName(name)) name = m_nickName;
  if (name.empty()) return std::string();
  return name + m_host.Text(kPossessiveText) + " " + m_host.Text(kTourText);
}

bool CZrSettings::ParseShowTipAtStart(const std::string& tipList) {
  const std::string text = tipList + " ";
  size_t start = 0;
  for (size_t end = text.find(';'); end != std::string::npos; end = text.find(';', start)) {
    const std::string entry = text.substr(start, end - start);
    start = end + 1;
    const size_t comma = entry.find(',');
    if (comma == std::string::npos || comma == 0 || comma + 1 >= entry.size()) continue;
    const std::string number = entry.substr(0, comma);
    if (number.find_first_not_of(" 0123456789") != std::string::npos) continue;
    if (std::strtol(number.c_str(), nullptr, 10) != 1) continue;
    return entry[comma + 1] == 'Y';
  }
  return false;
}
