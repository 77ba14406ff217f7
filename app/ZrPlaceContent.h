// The place content values that the community sends when the client enters
// a place: addresses and texts kept for the application's commands, and two
// numbers. Each value is replaced as a whole when its item arrives and
// emptied when the application resets its place state.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

class CZrPlaceContent {
 public:
  enum Kind : int32_t {
    kPlaceText1000 = 1000,
    kCurrentPage = 1002,
    kPlaceText1003 = 1003,
    kWebHelpPage = 1004,
    kReleaseNotesPage = 1005,
    kHomePage = 1006,
    kPlaceText1007 = 1007,
    kLoginBase = 1009,
    kPlaceText1011 = 1011,
    kPlaceText1012 = 1012,
    kWordList = 1013,
    kUseDisplayName = 1019,
    kCommunityPage2 = 1020,
    kCommunityPage = 1021,
    kRefreshValue = 1022,
    kServiceLinks = 1024,
  };

  void SetPlaceString1000(std::string value) { m_text1000 = std::move(value); }
  void SetCurrentPage(std::string value) { m_currentPage = std::move(value); }
  void SetPlaceString1003(std::string value) { m_text1003 = std::move(value); }
  void SetWebHelpPage(std::string value) { m_webHelpPage = std::move(value); }
  void SetReleaseNotesPage(std::string value) { m_releaseNotesPage = std::move(value); }
  void SetHomePage(std::string value) { m_homePage = std::move(value); }
  void SetPlaceString1007(std::string value) { m_text1007 = std::move(value); }
  void SetLoginBase(std::string value) { m_loginBase = std::move(value); }
  void SetPlaceString1011(std::string value) { m_text1011 = std::move(value); }
  void SetPlaceString1012(std::string value) { m_text1012 = std::move(value); }
  void SetWordList(std::string value) { m_wordList = std::move(value); }
  void SetUseDisplayName(int32_t value) { m_useDisplayName = value; }
  void SetCommunityPage2(std::string value) { m_communityPage2 = std::move(value); }
  void SetCommunityPage(std::string value) { m_communityPage = std::move(value); }
  void SetRefreshValue(uint16_t value) { m_refreshValue = value; }
  void SetServiceLinks(std::string value) { m_serviceLinks = std::move(value); }

  // Sets the string item of kind; false (nothing changed) for a kind that is
  // not a string item.
  bool SetString(int32_t kind, std::string value);

  const std::string& GetPlaceString1000() const { return m_text1000; }
  const std::string& GetCurrentPage() const { return m_currentPage; }
  const std::string& GetPlaceString1003() const { return m_text1003; }
  const std::string& GetWebHelpPage() const { return m_webHelpPage; }
  const std::string& GetReleaseNotesPage() const { return m_releaseNotesPage; }
  const std::string& GetHomePage() const { return m_homePage; }
  const std::string& GetPlaceString1007() const { return m_text1007; }
  const std::string& GetLoginBase() const { return m_loginBase; }
  const std::string& GetPlaceString1011() const { return m_text1011; }
  const std::string& GetPlaceString1012() const { return m_text1012; }
  const std::string& GetWordList() const { return m_wordList; }
  int32_t GetUseDisplayName() const { return m_useDisplayName; }
  const std::string& GetCommunityPage2() const { return m_communityPage2; }
  const std::string& GetCommunityPage() const { return m_communityPage; }
  uint16_t GetRefreshValue() const { return m_refreshValue; }
  const std::string& GetServiceLinks() const { return m_serviceLinks; }

  // The own name for the default tour title while connected: the display
  // name when item 1019 is non-zero, else the nickname.
  const std::string& OwnTitleName(const std::string& displayName,
                                  const std::string& nickname) const;

  // Empties every value, before the client switches place.
  void Reset();

 private:
  std::string* StringOf(int32_t kind);

  std::string m_text1000;
  std::string m_currentPage;
  std::string m_text1003;
  std::string m_webHelpPage;
  std::string m_releaseNotesPage;
  std::string m_homePage;
  std::string m_text1007;
  std::string m_loginBase;
  std::string m_text1011;
  std::string m_text1012;
  std::string m_wordList;
  int32_t m_useDisplayName = 0;
  std::string m_communityPage2;
  std::string m_communityPage;
  uint16_t m_refreshValue = 0;
  std::string m_serviceLinks;
};
