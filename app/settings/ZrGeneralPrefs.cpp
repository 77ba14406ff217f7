#include "ZrGeneralPrefs.h"

#include "ZrSettings.h"

CZrGeneralPrefs::CZrGeneralPrefs(const CZrSettings& settings)
    : m_autoLanding(settings.m_autoLanding),
      m_bigHeadGallery(settings.m_bigHeadGallery),
      m_viewBigHeads(settings.m_viewBigHeads),
      m_voiceEnabled(settings.m_voiceEnabled),
      m_balloonTime(settings.m_balloonTime),
      m_homeURL(settings.m_homeURL),
      m_gestureSounds(settings.m_gestureSounds),
      m_homeServer(settings.m_homeServer),
      m_imagesAutoLoad(settings.m_imagesAutoLoad),
      m_imInternal(settings.m_imInternal),
      m_observers(std::to_string(settings.m_maxObservers)),
      m_ignoreAllIMs(settings.m_ignoreAllIMs),
      m_awayMsg(settings.m_awayMsg),
      m_enableSendingFiles(settings.m_enableSendingFiles),
      m_observerCount(settings.m_maxObservers) {}

bool CZrGeneralPrefs::ParseObserverCount(const std::string& text, int32_t& count) {
  if (text.empty()) return false;
  int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    // Leading zeros are harmless; anything past the limit is refused before
    // it can grow further.
    if (value > kObserversMax) return false;
  }
  if (value < kObserversMin) return false;
  count = value;
  return true;
}

std::string CZrGeneralPrefs::ResponseMessage(bool ignoring, const std::string& typed,
                                             const std::string& standardText) {
  if (!ignoring) return std::string();
  return typed.empty() ? standardText : typed;
}

bool CZrGeneralPrefs::Check(const std::string& standardResponse) {
  m_awayMsg = ResponseMessage(m_ignoreAllIMs != 0, m_awayMsg, standardResponse);
  return ParseObserverCount(m_observers, m_observerCount);
}

void CZrGeneralPrefs::WriteTo(CZrSettings& settings, bool canSendFiles,
                              const std::function<void(const std::string&)>& homePage) const {
  settings.m_homeServer = m_homeServer;
  settings.m_imagesAutoLoad = m_imagesAutoLoad;
  settings.m_autoLanding = m_autoLanding;
  settings.m_bigHeadGallery = m_bigHeadGallery;
  settings.m_viewBigHeads = m_viewBigHeads;
  settings.m_voiceEnabled = m_voiceEnabled;
  settings.m_homeURL = m_homeURL;
  if (homePage) homePage(m_homeURL);
  settings.m_imInternal = m_imInternal;
  settings.m_balloonTime = m_balloonTime;
  settings.m_gestureSounds = m_gestureSounds;
  settings.m_maxObservers = m_observerCount;
  settings.m_ignoreAllIMs = m_ignoreAllIMs;
  settings.m_awayMsg = m_awayMsg;
  settings.m_enableSendingFiles = canSendFiles ? m_enableSendingFiles : 0;
}
