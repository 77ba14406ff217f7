// IPlaceApp: what the root place asks of the application core and the main
// window. The application implements it; tests record the calls.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ZrPosition.h"

class CBroadcastInfo;
class CTvlBlob;
class CZrObject;
class CZrObjectDesc;
class CZrPlaceDesc;
class CZrPersonDesc;

class IPlaceApp {
public:
    // Text of a string number of the resource library; empty when unknown.
    virtual std::string LoadText(uint32_t id) const = 0;
    // A message box with the finished text, shown when the main window's
    // message loop reaches it (never inside a network callback).
    virtual void PostMessageBox(const std::string& text) = 0;
    // The modal warning dialog, deferred likewise.
    virtual void PostWarning(const std::string& text) = 0;
    // The room the user wanted to enter is full: the prompt that offers the
    // ways on, deferred likewise.
    virtual void PostRoomFullPrompt() = 0;

    // Connection state of the application.
    virtual bool IsConnected() const = 0;
    virtual void SetEntered(bool entered) = 0;
    virtual void ClearReconnectState() = 0;
    // PostReconnect: true when a reconnect attempt was posted.
    virtual bool AcceptReconnect() = 0;
    // The modal server-inaccessible dialog (deferred); Reconnect reconnects.
    virtual void ConfirmAndLeave() = 0;
    virtual void ClearPassword() = 0;
    virtual void StartLogin() = 0;
    virtual void ClearIdentityNick() = 0;
    // State of the community server list (1 to 3) and the choice stored for
    // state 1 or 2.
    virtual int32_t GetServerListState() const = 0;
    virtual void StorePendingConnectionChoice() = 0;

    // Names of the community.
    virtual std::string GetCommunityName() const = 0;
    virtual std::string GetCommunityTitle() const = 0;
    virtual std::string GetHomeTitle() const = 0;
    virtual std::string GetAddressPlaceName() const = 0;
    // The login base address (community item 1009); empty without web login.
    virtual std::string GetLoginBaseUrl() const = 0;
    // The nickname of the identity for this community.
    virtual std::string GetNickname() const = 0;
    // The name the user sees for a person: its full name ("Guest" when
    // empty) while names are shown instead of nicknames, else its nickname.
    virtual std::string DisplayNameOf(const CZrObject& person) const = 0;

    // Settings.
    virtual void SaveAndReloadSettings() = 0;
    virtual int32_t ReadSetting(const std::string& key, int32_t defaultValue) const = 0;
    virtual void WriteSetting(const std::string& key, int32_t value) = 0;
    // Second (0-59) of the current local time.
    virtual int32_t CurrentSecond() const = 0;

    // Main window.
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void SetMainTitle(const std::string& title) = 0;
    virtual void ResetChatTabs() = 0;
    virtual void ResetAfterDisconnect() = 0;
    virtual void RemovePreviousPlaceMenu() = 0;
    virtual void ResetEventState() = 0;
    virtual void StartIdleTimer() = 0;
    virtual void StopIdleTimer() = 0;
    virtual void SetPendingCount(int32_t count) = 0;
    virtual void RunPendingRefresh() = 0;
    virtual void SetPlaceLayout(int32_t placeType) = 0;
    virtual int32_t GetActiveChatPageType() const = 0;
    virtual void SetPageText(const std::string& text) = 0;
    virtual void OnPlaceEntered() = 0;
    virtual void FocusMainWindow() = 0;

    // The local user's avatar window.
    virtual void SetOwnMark(bool on) = 0;
    virtual void UseSavedPosition() = 0;
    virtual bool UsesSavedPosition() const = 0;
    virtual CZrPosition GetAvatarPosition() const = 0;

    // Voice.
    virtual void StopVoiceSession() = 0;
    virtual void StartVoiceSession() = 0;
    virtual void ClearVoiceSpeaker() = 0;
    virtual void SetSpeakerLevel(int32_t level) = 0;

    // Chat window.
    virtual void ShowSay(const CZrObject& sender, const std::string& text) = 0;
    virtual void ShowTranscript(const std::string& text) = 0;
    virtual void ShowBroadcast(const CBroadcastInfo& record) = 0;
    virtual void SetEventText(const std::string& text) = 0;
    virtual void OpenInvitation(const std::string& place, const std::string& from) = 0;
    virtual void CloseVoteDialog() = 0;
    // The auditorium's event: the administrator's announcement, the welcome
    // picture that follows it, the name of a participation kind (1 to 6;
    // empty when the event has none) and a host's vote definition.
    virtual void OnEventAnnouncement(const std::string& text) = 0;
    virtual void SetWelcomePicture(const CTvlBlob& picture) = 0;
    virtual std::string EventKindName(int number) const = 0;
    virtual void OpenVote(const std::string& definition) = 0;
    // The slide-show partner shows the slide the stage published.
    virtual void SendSlide(const std::string& text) = 0;
    virtual void OnWhisperFailed(uint32_t target, uint32_t code) = 0;
    // The answer to the people list's members request: its kind (0 for the
    // observer list) and the described object with its members.
    virtual void ForwardPair(uint32_t kind, const CZrObjectDesc& answer) = 0;
    // The answer to a places query (first index, count, the all-places flag,
    // the total of places and the totals of people), for the places manager.
    virtual void OnPlaceList(uint32_t first, uint32_t count, bool allPlaces, uint32_t total, uint32_t people,
                             uint32_t observers, const std::vector<std::unique_ptr<CZrPlaceDesc>>& places) = 0;
    // A person query's answer offered to the windows that asked for it (IM
    // conversations, invitations, transfers, broadcasts, page interactions,
    // the locate dialog); true when one of them took it.
    virtual bool OfferPersonDescription(uint32_t id, const std::string& text,
                                        const std::vector<std::unique_ptr<CZrPersonDesc>>& persons) = 0;

protected:
    ~IPlaceApp() = default;
};
