// The program's side of the root place and the community connection: what
// the place asks of the application, its browser frame and its DDE session,
// and where the connection stores the community's items. It reaches the
// settings, the resource library's texts, the message boxes and the main
// frame through the application. Windows that do not exist yet (the browser
// view) are not reached: those calls change nothing and the queries answer
// "none".
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AuditoriumSeating.h"
#include "ICommunityStore.h"
#include "IPersonStateHost.h"
#include "IPlaceApp.h"
#include "IPlaceDde.h"
#include "IPlaceFrame.h"

class CZrApp;

class CZrPlaceLink : public IPlaceApp,
                     public IPlaceDde,
                     public IPlaceFrame,
                     public ICommunityStore,
                     public IPersonStateHost {
 public:
  // Kind of the person record the direct login asks for.
  static constexpr uint32_t kPersonKind = 0x100;

  explicit CZrPlaceLink(CZrApp& app);

  // The page the frame shows first: the place the start goes to.
  void SetFirstPage(const std::string& url) { m_pageUrl = url; }
  // The page the user went to in the page frame becomes the place's page.
  void KeepPage(const std::string& url) { m_pageUrl = url; }
  // The community's items and current page are forgotten (a community
  // switch).
  void ClearCommunityTexts() {
    m_texts.clear();
    m_currentUrl.clear();
  }
  bool IsEntered() const { return m_entered; }
  const std::string& GetPageText() const { return m_pageText; }
  const std::string& GetCurrentUrl() const { return m_currentUrl; }
  std::string GetCommunityText(uint16_t code) const;
  uint32_t GetCommunityValue(uint16_t code) const;

  // IPlaceApp
  std::string LoadText(uint32_t id) const override;
  void PostMessageBox(const std::string& text) override;
  void PostWarning(const std::string& text) override;
  void PostRoomFullPrompt() override;
  bool IsConnected() const override { return m_connected; }
  void SetEntered(bool entered) override { m_entered = entered; }
  void ClearReconnectState() override;
  bool AcceptReconnect() override;
  void ConfirmAndLeave() override;
  void ClearPassword() override;
  void StartLogin() override;
  void ClearIdentityNick() override;
  int32_t GetServerListState() const override;
  void StorePendingConnectionChoice() override;
  std::string GetCommunityName() const override;
  std::string GetCommunityTitle() const override { return m_communityTitle; }
  std::string GetHomeTitle() const override;
  std::string GetAddressPlaceName() const override;
  std::string GetLoginBaseUrl() const override { return m_loginBaseUrl; }
  std::string GetNickname() const override;
  std::string DisplayNameOf(const CZrObject& person) const override;
  void SaveAndReloadSettings() override;
  int32_t ReadSetting(const std::string& key, int32_t defaultValue) const override;
  void WriteSetting(const std::string& key, int32_t value) override;
  int32_t CurrentSecond() const override;
  void SetStatusText(const std::string& text) override;
  void SetMainTitle(const std::string& title) override;
  void ResetChatTabs() override;
  void ResetAfterDisconnect() override;
  void RemovePreviousPlaceMenu() override;
  void ResetEventState() override;
  void StartIdleTimer() override;
  void StopIdleTimer() override;
  void SetPendingCount(int32_t count) override;
  void RunPendingRefresh() override;
  void SetPlaceLayout(int32_t placeType) override;
  int32_t GetActiveChatPageType() const override;
  void SetPageText(const std::string& text) override;
  void OnPlaceEntered() override;
  void FocusMainWindow() override;
  void SetOwnMark(bool on) override;
  void UseSavedPosition() override { m_usesSavedPosition = true; }
  bool UsesSavedPosition() const override { return m_usesSavedPosition; }
  CZrPosition GetAvatarPosition() const override;
  void StopVoiceSession() override;
  void StartVoiceSession() override;
  void ClearVoiceSpeaker() override;
  void SetSpeakerLevel(int32_t level) override;
  void ShowSay(const CZrObject& sender, const std::string& text) override;
  void ShowTranscript(const std::string& text) override;
  void ShowBroadcast(const CBroadcastInfo& record) override;
  void SetEventText(const std::string& text) override { m_eventText = text; }
  const std::string& GetEventText() const { return m_eventText; }
  void OpenInvitation(const std::string& place, const std::string& from) override;
  void CloseVoteDialog() override;
  void OnEventAnnouncement(const std::string& text) override;
  void SetWelcomePicture(const CTvlBlob& picture) override;
  std::string EventKindName(int number) const override;
  void OpenVote(const std::string& definition) override;
  void SendSlide(const std::string& text) override;
  void OnWhisperFailed(uint32_t target, uint32_t code) override;
  void ForwardPair(uint32_t kind, const CZrObjectDesc& answer) override;
  void OnPlaceList(uint32_t first, uint32_t count, bool allPlaces, uint32_t total, uint32_t people,
                   uint32_t observers, const std::vector<std::unique_ptr<CZrPlaceDesc>>& places) override;
  bool OfferPersonDescription(uint32_t id, const std::string& text,
                              const std::vector<std::unique_ptr<CZrPersonDesc>>& persons) override;

  // IPlaceDde
  void PostConnectCommunity() override;
  void PostDisconnectCommunity(uint32_t stringId) override;
  void PostNavigate() override;
  void PostQueryPlaces(const std::vector<std::unique_ptr<CZrPlaceDesc>>& places) override;
  void PostMessageItem(uint32_t sender, const std::string& name, const std::string& text,
                       const CTvlBlob& payload, uint32_t itemType) override;
  void SendGameData(uint32_t sender, const std::string& name, const std::string& text,
                    const CTvlBlob& payload, uint32_t first, uint32_t second) override;
  void ForwardGameData(uint32_t sender, uint32_t kind, uint32_t code, const std::string& text,
                       const CTvlBlob& payload) override;

  // IPlaceFrame
  std::string GetPageUrl() const override { return m_pageUrl; }
  void SetTitle(const std::string& title) override;
  void ShowPage(const std::string& url) override;
  void FollowGuidePage(const std::string& url) override;
  void OnConnectFailed(int32_t reason) override;
  void Layout() override;

  // ICommunityStore
  void SetCommunityText(uint16_t code, const std::string& text) override;
  void SetCurrentUrl(const std::string& url) override { m_currentUrl = url; }
  void SetCommunityTitle(const std::string& title) override { m_communityTitle = title; }
  void SetLoginBaseUrl(const std::string& url) override { m_loginBaseUrl = url; }
  void SetWordList(const std::vector<std::string>& words) override;
  void SetValue(uint16_t code, uint32_t value) override { m_values[code] = value; }
  bool ReloadServiceLinks() override;
  void BuildServiceLinksMenu() override;
  std::string GetResetUrl() const override;

  // IPersonStateHost
  void ShowIgnoreState(uint32_t person, int32_t state) override;
  std::unique_ptr<IPersonDialog> CreateSendImDlg(uint32_t person, const std::string& name) override;

 private:
  // The answer kind of a row query: the row's seated members.
  static constexpr uint32_t kSeatReport = 21;
  static std::vector<AuditoriumSeating::SeatedMember> SeatedMembersOf(const CZrObjectDesc& row);

  CZrApp& m_app;
  bool m_connected = false;
  bool m_entered = false;
  bool m_usesSavedPosition = false;
  std::string m_pageUrl;
  std::string m_pageText;
  std::string m_currentUrl;
  std::string m_communityTitle;
  std::string m_loginBaseUrl;
  std::string m_eventText;
  std::map<uint16_t, std::string> m_texts;
  std::map<uint16_t, uint32_t> m_values;
};
