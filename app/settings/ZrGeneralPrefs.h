// The values of the General preferences page, as its controls hold them:
// copied from the settings when the page is made, checked when the page is
// left or the sheet is closed with OK, and written back into the settings.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class CZrSettings;

class CZrGeneralPrefs {
 public:
  // The observer count the page accepts; the settings clamp it further at
  // their next load.
  static constexpr int32_t kObserversMin = 1;
  static constexpr int32_t kObserversMax = 200;
  static constexpr int kAwayMessageMaxChars = 200;
  // String shown when an ignored IM gets no response message of its own.
  static constexpr uint32_t kNotAcceptingImsText = 493;

  explicit CZrGeneralPrefs(const CZrSettings& settings);

  // The observer count of text: decimal digits only, from 1 to 200.
  static bool ParseObserverCount(const std::string& text, int32_t& count);
  // The response message to keep: none while IMs are not ignored, the
  // standard one when they are and the typed text is empty.
  static std::string ResponseMessage(bool ignoring, const std::string& typed,
                                     const std::string& standardText);

  // The page's check once the controls are read: the response message rule,
  // then the observer count. False when the count is refused.
  bool Check(const std::string& standardResponse);
  // Writes every value into the settings (a checked page only); homePage
  // hears the default place, which becomes the application's home address.
  void WriteTo(CZrSettings& settings, bool canSendFiles,
               const std::function<void(const std::string&)>& homePage) const;

  int m_autoLanding = 0;
  int m_bigHeadGallery = 0;
  int m_viewBigHeads = 0;
  int m_voiceEnabled = 0;
  int m_balloonTime = 0;  // 0 short, 1 medium, 2 long
  std::string m_homeURL;
  int m_gestureSounds = 0;
  std::string m_homeServer;
  int m_imagesAutoLoad = 0;
  int m_imInternal = 0;
  std::string m_observers;  // the count as typed
  int m_ignoreAllIMs = 0;
  std::string m_awayMsg;
  int m_enableSendingFiles = 0;

 private:
  int32_t m_observerCount = 0;  // the accepted count
};
