#include "ZrGeneralPrefs.h"

#include "ZrSettings.h"

CZrGeneralPrefs::CZrGeneralPrefs(const CZrSettings& settings)
    : autoLanding(settings.m_autoLanding),
      bigHeadGallery(settings.m_bigHeadGallery),
      viewBigHeads(settings.m_viewBigHeads),
      voiceEnabled(settings.m_voiceEnabled),
      balloonTime(settings.m_balloonTime),
      homeURL(settings.m_homeURL),
      gestureSounds(settings.m_gestureSounds),
      homeServer(settings.m_homeServer),
      imagesAutoLoad(settings.m_imagesAutoLoad),
      imInternal(settings.m_imInternal),
      observers(std::to_string(settings.m_maxObservers)),
      ignoreAllIMs(settings.m_ignoreAllIMs),
      awayMsg(settings.m_awayMsg),
      enableSendingFiles(settings.m_enableSendingFiles),
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

std::string CZrGeneralPrefs::ResponseMessage(bool ignoreAllIMs, const std::string& typed,
                                             const std::string& standardText) {
  if (!ignoreAllIMs) return std::string();
  return typed.empty() ? standardText : typed;
}

bool CZrGeneralPrefs::Check(const std::string& standardResponse) {
  awayMsg = ResponseMessage(ignoreAllIMs != 0, awayMsg, standardResponse);
  return ParseObserverCount(observers, m_observerCount);
}

void CZrGeneralPrefs::WriteTo(CZrSettings& settings, bool canSendFiles,
                              const std::function<void(const std::string&)>& homePage) const {
  settings.m_homeServer = homeServer;
  settings.m_imagesAutoLoad = imagesAutoLoad;
  settings.m_autoLanding = autoLanding;
  settings.m_bigHeadGallery = bigHeadGallery;
  settings.m_viewBigHeads = viewBigHeads;
  settings.m_voiceEnabled = voiceEnabled;
  settings.m_homeURL = homeURL;
  if (homePage) homePage(homeURL);
  settings.m_imInternal = imInternal;
  settings.m_balloonTime = balloonTime;
  settings.m_gestureSounds = gestureSounds;
  settings.m_maxObservers = m_observerCount;
  settings.m_ignoreAllIMs = ignoreAllIMs;
  settings.m_awayMsg = awayMsg;
  settings.m_enableSendingFiles = canSendFiles ? enableSendingFiles : 0;
}
